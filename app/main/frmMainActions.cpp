// Placeholder until the engine lands.
#include "frmMain.h"
QString frmMain::RefreshDisplay() {
    return {};
}
void frmMain::RefreshTimeLabel() {}
void frmMain::CopyCurrentDateToEntry() {}
int16_t frmMain::ParseDateEntry(const QString&, double& m) {
    m = 0;
    return 1;
}
void frmMain::ShowEntryError(int16_t) {}
bool frmMain::RangeCheck(double) {
    return false;
}
void frmMain::RefreshDeltaT() {}
void frmMain::DisplayMoonData(QColor) {}
void frmMain::cmdCompute_Click() {}
void frmMain::Row_Click(int, int) {}
void frmMain::lblTime_Click() {}
void frmMain::InitialiseModules() {}

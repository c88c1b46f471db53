// Where the window reads the present moment: the system clock in the program,
// a clock set by hand in the tests.
#ifndef TAVR_CLOCKSOURCE_H
#define TAVR_CLOCKSOURCE_H

#include <QDateTime>

namespace tavr::ui {

class ClockSource {
  public:
    virtual ~ClockSource() = default;
    // The present moment, in the system's local time with its offset.
    virtual QDateTime Now() const = 0;
};

class SystemClock : public ClockSource {
  public:
    QDateTime Now() const override { return QDateTime::currentDateTime(); }
};

} // namespace tavr::ui

#endif

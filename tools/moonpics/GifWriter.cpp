#include "GifWriter.h"

#include <gif_lib.h>

namespace moonpics {

std::string WriteGif(const std::string& path, int width, int height, const std::vector<uint8_t>& indices,
                     const std::array<Rgb, 256>& palette, int transparentIndex) {
    if (width <= 0 || height <= 0 || indices.size() != static_cast<size_t>(width) * height)
        return "bad picture size";
    int error = 0;
    GifFileType* gif = EGifOpenFileName(path.c_str(), false, &error);
    if (gif == nullptr) return std::string("cannot create ") + path + ": " + GifErrorString(error);
    std::string failure;
    ColorMapObject* map = GifMakeMapObject(256, nullptr);
    for (int i = 0; i < 256; ++i) {
        map->Colors[i].Red = palette[i].r;
        map->Colors[i].Green = palette[i].g;
        map->Colors[i].Blue = palette[i].b;
    }
    EGifSetGifVersion(gif, true);
    if (EGifPutScreenDesc(gif, width, height, 8, transparentIndex >= 0 ? transparentIndex : 0, map) ==
        GIF_ERROR)
        failure = "screen descriptor";
    if (failure.empty() && transparentIndex >= 0) {
        GraphicsControlBlock gcb{};
        gcb.DisposalMode = DISPOSAL_UNSPECIFIED;
        gcb.UserInputFlag = false;
        gcb.DelayTime = 0;
        gcb.TransparentColor = transparentIndex;
        GifByteType ext[4];
        const size_t len = EGifGCBToExtension(&gcb, ext);
        if (EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(len), ext) == GIF_ERROR)
            failure = "graphics control block";
    }
    if (failure.empty() && EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr) == GIF_ERROR)
        failure = "image descriptor";
    std::vector<GifPixelType> line(static_cast<size_t>(width));
    for (int y = 0; failure.empty() && y < height; ++y) {
        for (int x = 0; x < width; ++x)
            line[static_cast<size_t>(x)] = indices[static_cast<size_t>(y) * width + x];
        if (EGifPutLine(gif, line.data(), width) == GIF_ERROR) failure = "pixel data";
    }
    GifFreeMapObject(map);
    if (EGifCloseFile(gif, &error) == GIF_ERROR && failure.empty()) failure = "closing the file";
    if (!failure.empty()) return "cannot write " + path + " (" + failure + ")";
    return {};
}

} // namespace moonpics

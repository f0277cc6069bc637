#include "cli/plot_png.h"

#include <cairo.h>
#include <librsvg/rsvg.h>

#include <cmath>
#include <memory>

// fontconfig, which librsvg reaches through pango to lay out the plots' labels, keeps its
// configuration and font list for the life of the process, by design, and pango reads it in on
// a thread of its own, behind locks the thread sanitizer does not see (the libraries are not
// built for it): neither is a fault of the program for the sanitizers to report.
#if defined(__SANITIZE_ADDRESS__)
#define ZIRTEL_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZIRTEL_ADDRESS_SANITIZER 1
#endif
#endif
#if defined(__SANITIZE_THREAD__)
#define ZIRTEL_THREAD_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define ZIRTEL_THREAD_SANITIZER 1
#endif
#endif
#ifdef ZIRTEL_ADDRESS_SANITIZER
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
#endif
#ifdef ZIRTEL_THREAD_SANITIZER
extern "C" const char* __tsan_default_suppressions() {
    return "called_from_lib:libfontconfig.so\nrace:libfontconfig.so\nrace:libpango\n";
}
#endif

namespace zirtel {

namespace {

constexpr double kScale = 2;

cairo_status_t Append(void* closure, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

} // namespace

std::optional<std::string> PngFromSvg(std::string_view svg) {
    GError* error = nullptr;
    std::unique_ptr<RsvgHandle, decltype(&g_object_unref)> handle(
        rsvg_handle_new_from_data(reinterpret_cast<const guint8*>(svg.data()), svg.size(), &error),
        &g_object_unref);
    if (!handle) {
        if (error) g_error_free(error);
        return std::nullopt;
    }
    double width = 0, height = 0;
    if (!rsvg_handle_get_intrinsic_size_in_pixels(handle.get(), &width, &height) || width <= 0 ||
        height <= 0)
        return std::nullopt;
    std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface(
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, static_cast<int>(std::ceil(width * kScale)),
                                   static_cast<int>(std::ceil(height * kScale))),
        &cairo_surface_destroy);
    std::unique_ptr<cairo_t, decltype(&cairo_destroy)> cr(cairo_create(surface.get()),
                                                          &cairo_destroy);
    cairo_scale(cr.get(), kScale, kScale);
    const RsvgRectangle viewport{0, 0, width, height};
    if (!rsvg_handle_render_document(handle.get(), cr.get(), &viewport, &error)) {
        if (error) g_error_free(error);
        return std::nullopt;
    }
    cr.reset();
    std::string png;
    if (cairo_surface_write_to_png_stream(surface.get(), &Append, &png) != CAIRO_STATUS_SUCCESS)
        return std::nullopt;
    return png;
}

std::string PngFileName(const std::string& svgName) {
    const auto dot = svgName.rfind('.');
    return (dot == std::string::npos ? svgName : svgName.substr(0, dot)) + ".png";
}

} // namespace zirtel

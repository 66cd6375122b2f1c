#include "report/windows/PreviewPlacement.h"

#include "runtime/Settings.h"
#include "runtime/SysUtils.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace {
constexpr const char* Key = "Software\\Velotab\\Form\\";
// So much of the window must lie on a screen for it to be reached with the mouse.
constexpr int MinimumVisible = 50;
constexpr int MaximumExtent = 32767;

bool readNumber(const TUserSettings& settings, const char* name, int fallback, int& value)
{
    value = fallback;
    if (!settings.ValueExists(name)) return true;
    return TryStrToInt(Trim(settings.ReadString(name, {})), value);
}

bool onSomeScreen(const QRect& bounds)
{
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (screens.isEmpty()) return true;  // nothing to measure against
    for (const QScreen* screen : screens) {
        const QRect common = screen->availableGeometry().intersected(bounds);
        if (common.width() >= std::min(MinimumVisible, bounds.width()) &&
            common.height() >= std::min(MinimumVisible, bounds.height()))
            return true;
    }
    return false;
}
}  // namespace

TrqWindowPlacement ReadWindowPlacement(const char* className, const QRect& current)
{
    TUserSettings settings(std::string(Key) + className);
    TrqWindowPlacement placement;
    placement.Bounds = current;
    const AnsiString maximized = Trim(settings.ReadString("Maximized", "1"));
    placement.Maximized = maximized != "0";
    int width = 0, height = 0, top = 0, left = 0;
    if (!readNumber(settings, "Width", current.width(), width) || !readNumber(settings, "Height", current.height(), height) ||
        !readNumber(settings, "YPosition", current.y(), top) || !readNumber(settings, "XPosition", current.x(), left))
        return placement;
    if (width <= 0 || height <= 0 || width > MaximumExtent || height > MaximumExtent) return placement;
    if (std::abs(left) > MaximumExtent || std::abs(top) > MaximumExtent) return placement;
    const QRect bounds(left, top, width, height);
    if (onSomeScreen(bounds)) placement.Bounds = bounds;
    return placement;
}

void WriteWindowPlacement(const char* className, const QRect& bounds, bool maximized)
{
    TUserSettings settings(std::string(Key) + className);
    settings.WriteString("XPosition", std::to_string(bounds.x()));
    settings.WriteString("YPosition", std::to_string(bounds.y()));
    settings.WriteString("Width", std::to_string(bounds.width()));
    settings.WriteString("Height", std::to_string(bounds.height()));
    settings.WriteString("Maximized", maximized ? "1" : "0");
    settings.Flush();
}

void CentreOnScreen(QWidget& window)
{
    if (QScreen* screen = QGuiApplication::primaryScreen())
        window.move(screen->availableGeometry().center() - QPoint(window.width() / 2, window.height() / 2));
}

#pragma once

#include "app/FontSettings.h"
#include "app/InterfaceTexts.h"
#include "app/Settings.h"

#include <QString>
#include <string_view>

class QWidget;

namespace lexaro {

class FileChooser;
class Prompter;

// What every tool window receives from the main window besides its own start values.
struct ToolWindowContext {
    const InterfaceTexts& texts;
    Prompter& prompter;
    FileChooser& chooser;
    // The user's font; none leaves the windows in the application's font.
    const FontSettings* fonts = nullptr;

    QString Text(std::string_view key) const { return QString::fromStdU16String(texts.GetWideText(key)); }
    // Called by a tool window before it builds its controls.
    void ApplyFont(QWidget& window) const;
};

// Moves a tool window to its stored rectangle: maximised for (0, 0, -1, -1), otherwise only when width and
// height are positive.
void ApplyDialogRect(QWidget& window, const Rect& rect);
// The rectangle to store for a tool window when it closes.
Rect DialogRectOf(const QWidget& window);

// The report of a file that could not be read or written: the lead text, the path on a line of its own and, when
// the failure has one, the system's reason (an errno value) on the next.
QString FileReportText(const QString& lead, const QString& path, int error = 0);

} // namespace lexaro

// The dialogs of File > Export: the file name and, for a PNG, its resolution.
#pragma once

#include <QString>
#include <optional>

class QWidget;

namespace bcfont::app {

class ExportDialogs {
  public:
    virtual ~ExportDialogs() = default;
    // The chosen path, ending in the chosen filter's extension when the user
    // typed none; nothing on cancel.
    virtual std::optional<QString> exportFileName(QWidget* parent) = 0;
    virtual std::optional<int> resolution(QWidget* parent, int defaultDpi, int minDpi, int maxDpi) = 0;
};

// Qt's save dialog and integer input dialog; remembers the folder and the
// filter of the last export for the next one.
class QtExportDialogs : public ExportDialogs {
  public:
    std::optional<QString> exportFileName(QWidget* parent) override;
    std::optional<int> resolution(QWidget* parent, int defaultDpi, int minDpi, int maxDpi) override;

  private:
    QString lastDirectory_;
    QString lastFilter_;
};

}  // namespace bcfont::app

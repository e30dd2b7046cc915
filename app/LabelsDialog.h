// File > Print Labels…: the batch input on a sheet of labels, with a
// template chooser, start position, copies and outline, a preview of the
// first sheet, Save as PDF… and Print…. The sheets are planned and drawn by
// the renderer; this dialog only shows them.
#pragma once

#include <QDialog>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "encoder.h"
#include "labels.h"
#include "templates.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMainWindow;
class QPrinter;
class QPushButton;
class QSpinBox;

namespace bcfont::app {

struct WindowWidgets;

// What the dialog takes from the window: the batch input as UTF-8 text and
// the batch options.
struct LabelsRequest {
    std::string input;
    CodeType type = EAN8;
    bool check = true;
};

class LabelsDialog : public QDialog {
    Q_OBJECT
  public:
    LabelsDialog(LabelsRequest request, std::vector<render::LabelTemplate> templates,
                 QWidget* parent = nullptr);

    // The sheets as they stand; nothing when the chosen job cannot be planned.
    const std::optional<render::LabelSheets>& sheets() const { return sheets_; }
    // Writes the PDF to `path`; empty on success, else the reason.
    std::string saveTo(const std::string& path) const;
    // Sets `printer` to the sheet's paper, full page, no margins; then
    // printTo paints every sheet at 100%. Empty on success, else the reason.
    void preparePrinter(QPrinter& printer) const;
    std::string printTo(QPrinter& printer) const;

    QComboBox* symbology() const { return symbology_; }
    QLineEdit* search() const { return search_; }
    QListWidget* templateList() const { return templateList_; }
    QSpinBox* skip() const { return skip_; }
    QSpinBox* copies() const { return copies_; }
    QCheckBox* outline() const { return outline_; }
    QLabel* preview() const { return preview_; }
    QLabel* summary() const { return summary_; }
    QListWidget* problems() const { return problems_; }
    QPushButton* saveButton() const { return save_; }
    QPushButton* printButton() const { return print_; }

  private:
    void filterTemplates();
    void replan();
    void showPreview();
    void savePdf();
    void printSheets();
    const render::LabelTemplate* chosenTemplate() const;

    LabelsRequest request_;
    std::vector<render::LabelTemplate> templates_;
    std::optional<render::LabelSheets> sheets_;

    QComboBox* symbology_ = nullptr;
    QLineEdit* search_ = nullptr;
    QListWidget* templateList_ = nullptr;
    QSpinBox* skip_ = nullptr;
    QSpinBox* copies_ = nullptr;
    QCheckBox* outline_ = nullptr;
    QLabel* preview_ = nullptr;
    QLabel* summary_ = nullptr;
    QListWidget* problems_ = nullptr;
    QPushButton* save_ = nullptr;
    QPushButton* print_ = nullptr;
};

// Adds File > Print Labels… and a Labels… button after the batch area's
// Save button; both open the dialog on the batch input and options.
void installLabelsDialog(QMainWindow& window, const WindowWidgets& widgets);

}  // namespace bcfont::app

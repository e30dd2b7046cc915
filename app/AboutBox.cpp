#include "AboutBox.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

#include "encoder.h"

namespace bcfont::app {

QDialog* createAboutBox(QWidget* parent, const QString& fontFolder) {
    auto* box = new QDialog(parent);
    box->setObjectName(QStringLiteral("aboutBox"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowTitle(QObject::tr("About bcfont"));
    const QString folder =
        fontFolder.isEmpty() ? QObject::tr("none were loaded") : fontFolder.toHtmlEscaped();
    auto* text =
        new QLabel(QObject::tr("<h2>bcfont %1</h2>"
                               "<p>Barcode font encoder: font strings for %4 symbologies.</p>"
                               "<p>Licence: %2.</p>"
                               "<p>The barcode fonts: SIL Open Font License 1.1; their digits are "
                               "drawn from the public-domain OCR-B.</p>"
                               "<p>Fonts loaded from: %3</p>")
                       .arg(QStringLiteral(BCFONT_VERSION), QStringLiteral(BCFONT_CODE_LICENSE), folder,
                            QString::number(kCodeTypeCount)));
    text->setObjectName(QStringLiteral("aboutText"));
    text->setTextFormat(Qt::RichText);
    text->setWordWrap(true);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    QObject::connect(buttons, &QDialogButtonBox::rejected, box, &QDialog::close);
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(text);
    layout->addWidget(buttons);
    box->setMinimumWidth(420);
    return box;
}

}  // namespace bcfont::app

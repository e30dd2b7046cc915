// Help > About: what bcfont is, its version and licences, and where its
// fonts came from.
#pragma once

#include <QDialog>

namespace bcfont::app {

// A non-modal box, deleted when closed.
QDialog* createAboutBox(QWidget* parent, const QString& fontFolder);

}  // namespace bcfont::app

// What the window remembers between runs, in QSettings, and the choices the
// command line adds on top.
#pragma once

#include <QSettings>
#include <QStringList>
#include <optional>

#include "BCController.h"

namespace bcfont::app {

Choices loadChoices(const QSettings& settings);
void saveChoices(QSettings& settings, const Choices& choices);

// `bcfont-gui [--type T] [--addon A] [--no-check] [DATA]`, applied to
// `choices`. Nothing when the arguments are fine; else the message to print.
// `--help` and `--version` are answered with their text and `exitNow`.
struct CommandLineOutcome {
    QString message;
    bool exitNow = false;
    int status = 0;
};
CommandLineOutcome applyCommandLine(const QStringList& arguments, Choices& choices);

}  // namespace bcfont::app

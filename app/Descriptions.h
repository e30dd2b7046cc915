// The description of each symbology, compiled into the program in English
// and German.
#pragma once

#include <QHash>
#include <QLocale>
#include <QString>
#include <optional>

namespace bcfont::app {

class Descriptions {
  public:
    // The texts for the language of `locale`, English where it has none.
    explicit Descriptions(const QLocale& locale = QLocale());

    std::optional<QString> text(const QString& key) const;
    // The language whose texts were found first: "en" or "de".
    QString language() const { return language_; }

  private:
    QHash<QString, QString> texts_;
    QHash<QString, QString> english_;
    QString language_;
};

}  // namespace bcfont::app

#include "Descriptions.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

namespace bcfont::app {
namespace {

QHash<QString, QString> load(const QString& language) {
    QHash<QString, QString> texts;
    QFile file(QStringLiteral(":/descriptions/%1.json").arg(language));
    if (!file.open(QIODevice::ReadOnly)) return texts;
    const QJsonObject object = QJsonDocument::fromJson(file.readAll()).object();
    for (auto it = object.begin(); it != object.end(); ++it) texts.insert(it.key(), it.value().toString());
    return texts;
}

}  // namespace

Descriptions::Descriptions(const QLocale& locale) : english_(load(QStringLiteral("en"))) {
    const QString wanted = QLocale::languageToCode(locale.language());
    texts_ = wanted == QLatin1String("en") ? QHash<QString, QString>() : load(wanted);
    language_ = texts_.isEmpty() ? QStringLiteral("en") : wanted;
}

std::optional<QString> Descriptions::text(const QString& key) const {
    if (const auto it = texts_.find(key); it != texts_.end() && !it->isEmpty()) return *it;
    if (const auto it = english_.find(key); it != english_.end() && !it->isEmpty()) return *it;
    return std::nullopt;
}

}  // namespace bcfont::app

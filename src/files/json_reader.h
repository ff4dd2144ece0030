#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>

#include <QJsonObject>
#include <QString>
#include <QStringList>

#include "model/scale_choices.h"

namespace mensora {

inline constexpr qsizetype maxScaleFileText = 1000; // characters of one text ("1,000")

// Reads a JSON object's values into a scale's fields, key by key. A key the object lacks leaves
// its field as it is; the first value that cannot be read stops the reading with the sentence
// that refuses the file, naming the file and the key ("numbers.kind" for a key of the object
// under "numbers").
class JsonReader
{
public:
    JsonReader(const QJsonObject& object, const QString& fileName, const QString& path = {});

    // False, refusing the file, when the object lacks the key.
    bool present(const char* key);
    bool text(const char* key, std::string& text); // at most maxScaleFileText characters
    // A text of at most `longest` characters without a line break or other control character.
    bool line(const char* key, std::string& text, qsizetype longest);
    bool texts(const char* key, std::array<std::string, 6>& texts);
    bool number(const char* key, double& number);
    bool number(const char* key, std::optional<double>& number);
    // A width: a number from 0 up.
    bool width(const char* key, double& width);
    // A list of six of them.
    bool widths(const char* key, std::array<double, 6>& widths);
    bool whole(const char* key, int& number, int lowest, int highest);
    bool whole(const char* key, std::optional<int>& number, int lowest, int highest);
    bool flag(const char* key, bool& flag);
    // Reads the object under `key` with its own reader.
    bool object(const char* key, const std::function<bool(JsonReader&)>& read);
    // Reads each object of the list under `key` (at most `most` of them), in order, with a
    // reader of its own that names it by its place from 1 ("spacing.segments[2]").
    bool objects(const char* key, qsizetype most, const std::function<bool(JsonReader&)>& readEach);

    template <typename Choice>
    bool choice(const char* key, Choice& choice)
    {
        if (!has(key))
            return true;
        const QJsonValue value = m_object.value(QLatin1String(key));
        const auto named = choiceNamed<Choice>(value.toString().toStdString());
        if (value.isString() && named) {
            choice = *named;
            return true;
        }
        QStringList names;
        for (const std::string_view name : choiceNames<Choice>())
            names << QString::fromUtf8(name.data(), qsizetype(name.size()));
        return refuse(QStringLiteral("%1: \"%2\" must be %3, not %4.")
                          .arg(m_fileName, keyName(key), names.join(QStringLiteral(" or ")),
                              describedValue(value)));
    }

    const QString& problem() const { return m_problem; }

private:
    bool has(const char* key) const { return m_object.contains(QLatin1String(key)); }
    static QString describedValue(const QJsonValue& value);
    bool boxText(const char* key, const QString& value, std::string& text);
    bool wrongType(const char* key, const QString& wanted);
    bool refuse(const QString& problem);
    QString keyName(const char* key) const;

    const QJsonObject& m_object;
    QString m_fileName;
    QString m_path;
    QString m_problem;
};

// How many characters a text holds, a character outside the basic plane counted once.
qsizetype characterCount(const QString& text);

// Whether a text holds a line break or another control character (a tab included).
bool breaksALine(const QString& text);

} // namespace mensora

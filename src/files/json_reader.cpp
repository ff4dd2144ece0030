#include "files/json_reader.h"

#include <algorithm>
#include <cmath>

#include <QJsonArray>

namespace mensora {

qsizetype characterCount(const QString& text)
{
    return text.toUcs4().size();
}

bool breaksALine(const QString& text)
{
    const QList<uint> characters = text.toUcs4();
    return std::any_of(characters.begin(), characters.end(), [](uint c) {
        const QChar::Category category = QChar::category(char32_t(c));
        return category == QChar::Other_Control || category == QChar::Separator_Line
            || category == QChar::Separator_Paragraph;
    });
}

JsonReader::JsonReader(const QJsonObject& object, const QString& fileName, const QString& path)
    : m_object(object)
    , m_fileName(fileName)
    , m_path(path)
{ }

bool JsonReader::present(const char* key)
{
    return has(key)
        || refuse(QStringLiteral("%1: \"%2\" is missing.").arg(m_fileName, keyName(key)));
}

bool JsonReader::line(const char* key, std::string& text, qsizetype longest)
{
    if (!has(key))
        return true;
    const QJsonValue value = m_object.value(QLatin1String(key));
    const QString read = value.toString();
    if (!value.isString() || characterCount(read) > longest || breaksALine(read))
        return wrongType(key,
            QStringLiteral("a text of at most %1 characters, without a line break or other "
                           "control character")
                .arg(longest));
    text = read.toStdString();
    return true;
}

bool JsonReader::text(const char* key, std::string& text)
{
    if (!has(key))
        return true;
    const QJsonValue value = m_object.value(QLatin1String(key));
    if (!value.isString())
        return wrongType(key, QStringLiteral("a text"));
    return boxText(key, value.toString(), text);
}

bool JsonReader::texts(const char* key, std::array<std::string, 6>& texts)
{
    if (!has(key))
        return true;
    const QJsonValue value = m_object.value(QLatin1String(key));
    const QJsonArray list = value.toArray();
    const auto isText = [](const QJsonValue& item) { return item.isString(); };
    if (!value.isArray() || list.size() != qsizetype(texts.size())
        || !std::all_of(list.begin(), list.end(), isText))
        return wrongType(key, QStringLiteral("a list of six texts"));
    for (std::size_t i = 0; i < texts.size(); ++i)
        if (!boxText(key, list.at(qsizetype(i)).toString(), texts[i]))
            return false;
    return true;
}

bool JsonReader::number(const char* key, double& number)
{
    std::optional<double> read;
    if (!this->number(key, read))
        return false;
    number = read.value_or(number);
    return true;
}

bool JsonReader::number(const char* key, std::optional<double>& number)
{
    if (!has(key))
        return true;
    const QJsonValue value = m_object.value(QLatin1String(key));
    if (!value.isDouble() || !std::isfinite(value.toDouble())) // 1e999 reads as infinite
        return wrongType(key, QStringLiteral("a number"));
    number = value.toDouble();
    return true;
}

bool JsonReader::width(const char* key, double& width)
{
    if (!has(key))
        return true;
    const QJsonValue value = m_object.value(QLatin1String(key));
    if (!value.isDouble() || !std::isfinite(value.toDouble()) || value.toDouble() < 0)
        return wrongType(key, QStringLiteral("a number from 0 up"));
    width = value.toDouble();
    return true;
}

bool JsonReader::widths(const char* key, std::array<double, 6>& widths)
{
    if (!has(key))
        return true;
    const QJsonValue value = m_object.value(QLatin1String(key));
    const QJsonArray list = value.toArray();
    const auto isWidth = [](const QJsonValue& item) {
        return item.isDouble() && std::isfinite(item.toDouble()) && item.toDouble() >= 0;
    };
    if (!value.isArray() || list.size() != qsizetype(widths.size())
        || !std::all_of(list.begin(), list.end(), isWidth))
        return wrongType(key, QStringLiteral("a list of six numbers from 0 up"));
    for (std::size_t i = 0; i < widths.size(); ++i)
        widths[i] = list.at(qsizetype(i)).toDouble();
    return true;
}

bool JsonReader::whole(const char* key, int& number, int lowest, int highest)
{
    std::optional<int> read;
    if (!whole(key, read, lowest, highest))
        return false;
    number = read.value_or(number);
    return true;
}

bool JsonReader::whole(const char* key, std::optional<int>& number, int lowest, int highest)
{
    if (!has(key))
        return true;
    const QJsonValue value = m_object.value(QLatin1String(key));
    const double read = value.toDouble();
    if (!value.isDouble() || std::floor(read) != read || read < lowest || read > highest)
        return wrongType(
            key, QStringLiteral("a whole number from %1 to %2").arg(lowest).arg(highest));
    number = static_cast<int>(read);
    return true;
}

bool JsonReader::flag(const char* key, bool& flag)
{
    if (!has(key))
        return true;
    const QJsonValue value = m_object.value(QLatin1String(key));
    if (!value.isBool())
        return wrongType(key, QStringLiteral("true or false"));
    flag = value.toBool();
    return true;
}

bool JsonReader::object(const char* key, const std::function<bool(JsonReader&)>& read)
{
    if (!has(key))
        return true;
    const QJsonValue value = m_object.value(QLatin1String(key));
    if (!value.isObject())
        return wrongType(key, QStringLiteral("an object"));
    const QJsonObject inner = value.toObject();
    JsonReader reader(inner, m_fileName, keyName(key));
    return read(reader) || refuse(reader.problem());
}

bool JsonReader::objects(
    const char* key, qsizetype most, const std::function<bool(JsonReader&)>& readEach)
{
    if (!has(key))
        return true;
    const QJsonValue value = m_object.value(QLatin1String(key));
    const QJsonArray list = value.toArray();
    const auto isObject = [](const QJsonValue& item) { return item.isObject(); };
    if (!value.isArray() || list.size() > most || !std::all_of(list.begin(), list.end(), isObject))
        return wrongType(key, QStringLiteral("a list of at most %1 objects").arg(most));
    for (qsizetype i = 0; i < list.size(); ++i) {
        const QJsonObject inner = list.at(i).toObject();
        JsonReader reader(inner, m_fileName, QStringLiteral("%1[%2]").arg(keyName(key)).arg(i + 1));
        if (!readEach(reader))
            return refuse(reader.problem());
    }
    return true;
}

bool JsonReader::boxText(const char* key, const QString& value, std::string& text)
{
    if (characterCount(value) > maxScaleFileText)
        return refuse(QStringLiteral("%1: \"%2\" holds more than 1,000 characters.")
                          .arg(m_fileName, keyName(key)));
    text = value.toStdString();
    return true;
}

bool JsonReader::wrongType(const char* key, const QString& wanted)
{
    return refuse(QStringLiteral("%1: \"%2\" must be %3.").arg(m_fileName, keyName(key), wanted));
}

bool JsonReader::refuse(const QString& problem)
{
    m_problem = problem;
    return false;
}

// A short text of printable characters quoted, so that the sentence names it; any other
// value described, so that the sentence stays one short line.
QString JsonReader::describedValue(const QJsonValue& value)
{
    constexpr qsizetype longest = 40;
    if (!value.isString())
        return QStringLiteral("a value of another type");
    const QString text = value.toString();
    const auto printable = [](QChar c) { return c.isPrint(); };
    if (text.size() > longest || !std::all_of(text.begin(), text.end(), printable))
        return QStringLiteral("a text that is none of them");
    return QStringLiteral("\"%1\"").arg(text);
}

QString JsonReader::keyName(const char* key) const
{
    const QString name = QLatin1String(key);
    return m_path.isEmpty() ? name : m_path + u'.' + name;
}

} // namespace mensora

#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include "model/scale_choices.h"

namespace mensora {

// The names of a choice, for the options' help and their errors.
template <typename Choice>
QStringList namesOf()
{
    QStringList names;
    for (const std::string_view name : choiceNames<Choice>())
        names << QString::fromUtf8(name.data(), qsizetype(name.size()));
    return names;
}

// Reads the choice an option names into `choice`, when the option was given (else `choice`
// keeps its value: the start value, or a scale file's); false, with the reason, for another
// name.
template <typename Choice>
bool readChoice(
    const QCommandLineParser& parser, const char* option, Choice& choice, QString& error)
{
    if (!parser.isSet(option))
        return true;
    const QString value = parser.value(option);
    if (const auto named = choiceNamed<Choice>(value.toStdString())) {
        choice = *named;
        return true;
    }
    error
        = QString("--%1 takes %2, not \"%3\".").arg(option, namesOf<Choice>().join(" or "), value);
    return false;
}

// An option that takes one of the choice's names, the first by default.
template <typename Choice>
QCommandLineOption choiceOption(const char* name, const QString& description)
{
    const QStringList names = namesOf<Choice>();
    return { name, description, names.join('|'), names.first() };
}

} // namespace mensora

#pragma once

#include <QCoreApplication>
#include <QString>

#include <cstdarg>
#include <cstdio>
#include <string>
#include <string_view>

// The one place where the program's bytes (ISO-8859-1) become Qt text and back.
inline QString Qs(std::string_view bytes)
{
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

inline std::string Bytes(const QString& text)
{
    const QByteArray latin1 = text.toLatin1();
    return std::string(latin1.constData(), static_cast<std::size_t>(latin1.size()));
}

// A tooltip that shows a text as typed: Qt takes a tooltip that looks like markup for rich
// text, so the text goes escaped into rich text of its own.
inline QString PlainToolTip(const QString& text)
{
    return text.isEmpty() ? text : QStringLiteral("<p style=\"white-space:pre-wrap\">%1</p>").arg(text.toHtmlEscaped());
}

// One of the program's fixed texts (Messages) in the player's language; the catalogue is
// keyed by the English text itself. A text it does not hold stays as it is.
inline QString Tr(std::string_view text)
{
    const std::string source(text);
    const QString translated = QCoreApplication::translate("Messages", source.c_str());
    return translated == QString::fromUtf8(source) ? Qs(text) : translated;
}

// The same as the program's bytes, for texts the core goes on to fill in or join.
inline std::string TrBytes(std::string_view text)
{
    return Bytes(Tr(text));
}

// A fixed printf format of the program's, translated, then filled in.
inline QString TrFormat(const char* format, ...) __attribute__((format(printf, 1, 2)));
inline QString TrFormat(const char* format, ...)
{
    const std::string translated = TrBytes(format);
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(nullptr, 0, translated.c_str(), copy);
    va_end(copy);
    std::string out;
    if (length > 0)
    {
        out.resize(static_cast<std::size_t>(length));
        std::vsnprintf(out.data(), out.size() + 1, translated.c_str(), args);
    }
    va_end(args);
    return Qs(out);
}

// "Undo Rename Group" from the order's history: the verb and the edit's name each translated.
inline QString TrEditText(std::string_view prefix, std::string_view text)
{
    if (text.size() <= prefix.size() + 1 || text.substr(0, prefix.size()) != prefix)
        return Tr(text);
    return Tr(prefix) + QLatin1Char(' ') + Tr(text.substr(prefix.size() + 1));
}

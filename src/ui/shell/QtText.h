#pragma once

#include <QString>

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

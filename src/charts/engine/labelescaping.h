#pragma once
// Escaping of label text for where it goes: HTML (entities), URLs (percent-encoded UTF-8), and
// the query of an href attribute (values URL-encoded, the template's own text with entities).

#include <QString>
#include <QStringView>
#include <string>

namespace TextFormat {

struct ByteSink;

enum class Escape
{
    None,
    Html,
    Url,
    // A query inside an href attribute: values URL-encoded, and the template's own text with
    // & " < > as entities.
    HrefQuery
};

void appendEscaped(QString &out, QStringView text, Escape escape);
// Escapes the bytes written to out since mark, when any of them needs it; scratch is room
// the caller keeps for reuse.
void escapeTail(ByteSink &out, ByteSink &scratch, qsizetype mark, Escape escape);
// The template's own text in an href query: & " < > as entities.
void appendHrefEscaped(QString &out, QStringView text);
std::string hrefEscaped(const std::string &utf8);

} // namespace TextFormat

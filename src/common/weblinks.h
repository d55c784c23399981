#pragma once

#include <QString>
#include <QUrl>

class QWidget;

// Links come from feeds and other network text. Only web addresses are ever loaded, followed or
// handed to the desktop: a file:, data: or javascript: link from a feed must never reach the
// user's files or run script.
namespace WebLinks {

// True for an http or https address with a host.
bool isWebAddress(const QUrl &url);

// Reads a stored link as a web address; an empty URL when the text is not one.
QUrl webAddressFromText(const QString &text);

// Hands an http(s) address to the desktop browser. Anything else is refused and logged; the
// return value says whether the link was handed on, so a page can tell the user why not.
bool openInBrowser(const QUrl &url);

// The status-bar text for a link that was refused.
QString refusedLinkMessage(const QUrl &url);

// Opens a stored feed link in the desktop browser. A link that is no web address is refused, and
// the status bar of the window `source` sits in says why. Returns whether it was handed on.
bool openFeedLink(QWidget *source, const QString &link);

} // namespace WebLinks

#pragma once

#include <QString>

// Checks an address the user types for a feed or a feed template before it is fetched and
// stored. Only web addresses are fetched, and a "|" would cut the address in two when the stored
// feeds are read back as row strings.
namespace FeedAddress {

// The message that tells the user why the address cannot be used, or an empty text when it can.
// In a template, "<SYMBOL>" stands for the symbol.
QString refusal(const QString &address);

} // namespace FeedAddress

#pragma once

#include <string>
#include <string_view>

// Names in orders and profiles are the player's own, so they may hold anything. They are
// escaped only where the line format cannot carry them, with numeric references: "</" would
// end an element's text ("&#60;/"), a line break its line ("&#10;", "&#13;"), a quote or a
// '>' an attribute value ("&#34;", "&#62;"), and an '&' that begins such a reference would
// read as one ("&#38;"). Everything else ("Nails <Box> & Co", "&amp;" included) is written
// as it is, so the files written before read as they did.
std::string XmlTextOut(std::string_view text);
std::string XmlAttributeOut(std::string_view text);
// Undoes both: every "&#N;" with N up to 255 is that byte.
std::string XmlTextIn(std::string_view text);

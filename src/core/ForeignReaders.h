// The readers behind readForeign(), and helpers over pugixml for the XML
// formats: element names are compared without their namespace prefix, as
// the files use several.
#pragma once
#include <pugixml.hpp>
#include <string>
#include <string_view>

#include "ForeignPuzzle.h"

namespace vlq::xml {

std::string_view localName(const pugi::xml_node& node);

// First child element with the local name, or an empty node.
pugi::xml_node child(const pugi::xml_node& node, std::string_view name);

// All text inside the element, markup dropped (iterative: nesting depth
// does not matter).
std::string text(const pugi::xml_node& node);

// Readers behind readForeign(); both throw ForeignError.
ForeignPuzzle readJpz(const pugi::xml_node& root);
ForeignPuzzle readApz(const pugi::xml_node& root);

} // namespace vlq::xml

namespace vlq::ipuz {

// Throws ForeignError.
ForeignPuzzle read(std::string_view json);

} // namespace vlq::ipuz

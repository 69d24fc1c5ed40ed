// Builds a component (a form) from its form resource: the root's own properties, then each
// nested object created through the class registry, owned by the root, placed in the
// enclosing control and stored in the root's field of the same name. Every component is
// marked csLoading and csReading while its properties are applied, in the order the resource
// lists them, through its class's published properties (and its defined properties); then
// Loaded runs on each, the root first. A bad resource raises EReadError naming the resource
// and the line, and leaves the root without any of the components the reading made.
#pragma once

#include <string>
#include <string_view>

namespace forms {

class TComponent;

// The RT_RCDATA resource `resourceName` of the program.
void ReadComponentResource(TComponent& root, const std::string& resourceName);
// Form text given directly; `resourceName` names it in error messages.
void ReadComponentText(TComponent& root, std::string_view text, const std::string& resourceName);

}  // namespace forms

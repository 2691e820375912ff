// Internal: file-name patterns with "*" and "?", matched ignoring ASCII case.
#pragma once

#include <string_view>

namespace orbel::detail {

// A pattern ending in ".*" also matches names without any dot, as "*.*"
// matches every name.
bool MatchesWildcard(std::string_view pattern, std::string_view name);

} // namespace orbel::detail

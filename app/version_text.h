// The version --version prints: "0.2.0", or "0.2.0 (commit 43e0f21)" when
// built from a git checkout ("..., modified" with uncommitted changes). The
// definition is generated at every build.
#pragma once

namespace app {

const char* version_text();

}  // namespace app

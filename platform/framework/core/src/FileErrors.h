// Internal: the CFileException cause for a native errno value.
#pragma once

namespace orbel::detail {

int FileCauseFromErrno(int error);

} // namespace orbel::detail

#pragma once

// Status codes of the assistant's operations; callers compare with these two
// values only.
inline constexpr int ST_OK = 5100;
inline constexpr int ST_FAIL = -5001;

// The loop every command runs over its stdin ("-"): lines of numbers as they
// arrive, each handed on before the next is waited for.
#pragma once

#include <cstdio>
#include <functional>
#include <span>

#include "cli/column_reader.h"
#include "cli/number_lines.h"

namespace cli {

// Reads `in` to its end through `lines`, calling on_line(numbers) for each
// line of numbers. Before it waits for more input it calls before_wait(), so
// that the results of the lines read so far reach the reader first. A bad
// line, or a stream that cannot be read ("stdin: cannot read: Is a
// directory"), is a usage_error; on_line may throw one as well. The loop
// stops early when keep_going() turns false (the output has failed).
void read_stdin_records(std::FILE* in, number_lines& lines,
                        const std::function<void(std::span<const double>)>& on_line,
                        const std::function<void()>& before_wait,
                        const std::function<bool()>& keep_going);

// The same over one column of a table with a header (each line a span of one).
void read_stdin_records(std::FILE* in, column_reader& lines,
                        const std::function<void(std::span<const double>)>& on_line,
                        const std::function<void()>& before_wait,
                        const std::function<bool()>& keep_going);

}  // namespace cli

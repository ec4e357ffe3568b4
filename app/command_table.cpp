#include "app/command_table.h"

#include "dominant/dominant_entry.h"
#include "interactive/interactive_entry.h"
#include "limits/limits_entry.h"
#include "plot/plot_entry.h"
#include "serve/serve_entry.h"
#include "spectrum/spectrum_entry.h"
#include "table/table_entry.h"

namespace app {

std::span<const cli::command> command_table() {
  static const cli::command commands[] = {
      interactive::command(),
      table::command(),
      dominant::command(),
      limits::command(),
      spectrum::command(),
      plot::command(),
      serve::command(),
  };
  return commands;
}

}  // namespace app

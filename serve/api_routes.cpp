#include "serve/api_routes.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <stdexcept>

#include "cli/number_input.h"
#include "cli/printable_text.h"
#include "cli/record_writer.h"
#include "cli/usage_error.h"
#include "colour/catalogue/model_catalogue.h"
#include "colour/catalogue/model_loading.h"
#include "colour/exact_arithmetic.h"
#include "command_rows/dominant_command.h"
#include "command_rows/limits_command.h"
#include "command_rows/table_columns.h"
#include "command_rows/table_writer.h"
#include "diagram/chromaticity_diagram.h"
#include "serve/model_registry.h"

namespace serve {
namespace {

constexpr std::string_view json_type = "application/json; charset=utf-8";

// The query of one request: each parameter at most once, and every one
// given must have been asked for by the route.
class parameters {
 public:
  explicit parameters(const query_parameters& query) : query_(query) {}

  std::optional<std::string> take(std::string_view name) {
    std::optional<std::string> value;
    for (const auto& [key, text] : query_) {
      if (key != name) continue;
      if (value) throw bad_request{std::string(name) + " is given more than once"};
      value = text;
    }
    known_.emplace_back(name);
    return value;
  }
  std::string take_or(std::string_view name, std::string_view fallback) {
    auto value = take(name);
    return value ? *value : std::string(fallback);
  }
  double number(std::string_view name) {
    auto text = take(name);
    if (!text) throw bad_request{std::string(name) + " is missing"};
    try {
      return cli::parse_number(*text, name);
    } catch (const cli::usage_error& e) {
      throw bad_request{e.what()};
    }
  }
  bool flag(std::string_view name) {
    auto text = take(name);
    if (!text || *text == "0") return false;
    if (*text == "1") return true;
    throw bad_request{std::string(name) + " must be 0 or 1"};
  }
  // Every parameter given was one the route reads.
  void finish() const {
    for (const auto& [key, text] : query_) {
      bool known = false;
      for (const auto& k : known_) known = known || k == key;
      if (!known) throw bad_request{"unknown parameter " + cli::quoted(key)};
    }
  }

 private:
  const query_parameters& query_;
  std::vector<std::string> known_;
};

std::string number_text(double v) {
  if (!std::isfinite(v)) return "null";
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, v).ptr;
  return std::string(text, end);
}

std::string json_string(std::string_view text) {
  std::string out = "\"";
  for (const char c : cli::printable_text(text)) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
      out += escaped;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

cli::record_format format_of(parameters& p) {
  const std::string name = p.take_or("format", "json");
  if (auto format = cli::record_format_named(name)) return *format;
  throw bad_request{"format must be csv, tsv, json or jsonl"};
}

std::string_view type_of(cli::record_format format) {
  switch (format) {
    case cli::record_format::csv: return "text/csv; charset=utf-8";
    case cli::record_format::tsv: return "text/tab-separated-values; charset=utf-8";
    case cli::record_format::jsonl: return "application/jsonl; charset=utf-8";
    case cli::record_format::json: break;
  }
  return json_type;
}

api_answer catalogue(parameters& p) {
  p.finish();
  std::string body = "{\"observers\":[";
  bool first = true;
  for (const auto& o : colour::observers()) {
    body += first ? "" : ",";
    first = false;
    body += "{\"name\":" + json_string(o.name) + ",\"label\":" + json_string(o.label) +
            ",\"purities\":" + (o.purities ? "true" : "false") + "}";
  }
  body += "],\"illuminants\":[";
  first = true;
  for (const auto& name : colour::illuminant_names()) {
    body += (first ? "" : ",") + json_string(name);
    first = false;
  }
  body += "],\"default_illuminant\":" + json_string(colour::default_illuminant) + "}\n";
  return {200, std::string(json_type), body};
}

api_answer model_description(parameters& p) {
  const auto model =
      model_named(p.take_or("observer", "legacy"), p.take_or("illuminant", "E"));
  p.finish();
  const colour::exact_arithmetic scope;
  const colour::model_bounds& b = model->bounds();
  const colour::chromaticity white = model->white_point();
  std::string body = "{\"name\":" + json_string(model->name()) +
                     ",\"description\":" + json_string(model->description()) +
                     ",\"purities\":" + (model->has_purities() ? "true" : "false") +
                     ",\"white\":[" + number_text(white.x) + "," + number_text(white.y) + "]" +
                     ",\"bounds\":{\"locus_blue_end\":" + number_text(b.locus_blue_end) +
                     ",\"locus_red_end\":" + number_text(b.locus_red_end) +
                     ",\"green_lo\":" + number_text(b.green_lo) +
                     ",\"green_hi\":" + number_text(b.green_hi) +
                     ",\"data_lo\":" + number_text(b.data_lo) +
                     ",\"data_hi\":" + number_text(b.data_hi) + "},\"locus\":[";
  // Whole nanometres from the blue end to the red end, both ends included.
  const double first_nm = std::ceil(b.locus_blue_end);
  bool first = true;
  const auto point = [&](double w) {
    const colour::chromaticity c = model->drawn_locus_point(w);
    body += (first ? "[" : ",[") + number_text(w) + "," + number_text(c.x) + "," +
            number_text(c.y) + "]";
    first = false;
  };
  if (first_nm != b.locus_blue_end) point(b.locus_blue_end);
  for (double w = first_nm; w < b.locus_red_end; w += 1) point(w);
  point(b.locus_red_end);
  body += "]}\n";
  return {200, std::string(json_type), body};
}

api_answer pass_row(parameters& p) {
  const double lambda = p.number("lambda");
  const auto model = model_named(p.take_or("observer", "legacy"), p.take_or("illuminant", "E"));
  const cli::record_format format = format_of(p);
  p.finish();
  const colour::model_bounds& b = model->bounds();
  if (!(lambda >= b.data_lo && lambda <= b.data_hi)) {
    throw bad_request{"lambda must lie in the tables' range, " + number_text(b.data_lo) + " to " +
                      number_text(b.data_hi) + " nm"};
  }
  const table::row_formatter formatter(format);
  const table::table_row row = table::compute_table_row(lambda, *model);
  std::string body(formatter.header());
  const auto room = std::make_unique<char[]>(formatter.row_bytes());
  char* end = formatter.write_row(room.get(), row, true);
  body.append(room.get(), end);
  body += formatter.footer();
  return {200, std::string(type_of(format)), body};
}

// The bytes of `vollfarbe dominant --xy x y`, from the command itself.
api_answer dominant_row(parameters& p) {
  dominant::dominant_options options;
  options.xy = {number_text(p.number("x")), number_text(p.number("y"))};
  const auto model = model_named(p.take_or("observer", "cie1931"), p.take_or("illuminant", "E"));
  const cli::record_format format = format_of(p);
  options.format = p.take_or("format", "json");  // a name format_of has accepted
  p.finish();
  char* text = nullptr;
  std::size_t size = 0;
  std::FILE* memory = open_memstream(&text, &size);
  if (memory == nullptr) throw std::bad_alloc();
  const int status = dominant::run_dominant(options, *model, nullptr, memory);
  std::fclose(memory);
  std::string body(text, size);
  std::free(text);
  if (status != 0) throw std::runtime_error("the dominant row could not be written");
  return {200, std::string(type_of(format)), body};
}

// The bytes of `vollfarbe limits --Y Y --hues N --format json`, from the
// command itself: one luminance factor, at most a hue every tenth of a
// degree, so an answer stays a few hundred kilobytes.
api_answer limit_locus(parameters& p) {
  constexpr double most_hues = 3600;
  limits::limits_options options;
  const double Y = p.number("Y");
  if (!(Y > 0 && Y < 100)) throw bad_request{"Y: a MacAdam limit needs 0 < Y < 100"};
  options.Y = number_text(Y);
  if (const auto text = p.take("hues")) {
    double hues = 0;
    if (!cli::read_number(*text, hues)) throw bad_request{"hues: " + cli::quoted(*text) + " is not a number"};
    if (!(hues >= 1 && hues <= most_hues && hues == std::floor(hues))) {
      throw bad_request{"hues: a whole number from 1 to 3600"};
    }
    options.hues = number_text(hues);
  }
  const auto model = model_named(p.take_or("observer", "cie1931"), p.take_or("illuminant", "E"));
  options.format = "json";
  p.finish();
  char* text = nullptr;
  std::size_t size = 0;
  std::FILE* memory = open_memstream(&text, &size);
  if (memory == nullptr) throw std::bad_alloc();
  int status = 1;
  try {
    status = limits::run_limits(options, *model, nullptr, memory);
  } catch (...) {
    std::fclose(memory);
    std::free(text);
    throw;
  }
  std::fclose(memory);
  std::string body(text, size);
  std::free(text);
  if (status != 0) throw std::runtime_error("the limits could not be written");
  return {200, std::string(json_type), body};
}

api_answer diagram(parameters& p) {
  const std::string observers = p.take_or("observer", "legacy");
  const std::string illuminant = p.take_or("illuminant", "E");
  const auto lambda = p.take("lambda");
  diagram::diagram_request request;
  request.fill = p.flag("fill");
  request.ring = p.flag("ring");
  p.finish();
  std::vector<std::shared_ptr<const colour::model>> models;
  for (std::size_t start = 0; start <= observers.size();) {
    const std::size_t comma = std::min(observers.find(',', start), observers.size());
    if (models.size() == colour::observers().size()) throw bad_request{"too many observers"};
    models.push_back(model_named(std::string_view(observers).substr(start, comma - start), illuminant));
    start = comma + 1;
  }
  request.model = models.front().get();
  for (std::size_t i = 1; i < models.size(); ++i) request.compared.push_back(models[i].get());
  if (lambda) {
    double w = 0;
    if (!cli::read_number(*lambda, w)) throw bad_request{"lambda: " + cli::quoted(*lambda) + " is not a number"};
    const colour::model_bounds& b = request.model->bounds();
    if (!(w >= b.data_lo && w <= b.data_hi)) throw bad_request{"lambda is outside the tables' range"};
    request.wavelengths.push_back(w);
  }
  return {200, "image/svg+xml; charset=utf-8", diagram::draw_chromaticity_diagram(request).svg};
}

}  // namespace

std::string json_error(std::string_view message) {
  return "{\"error\":" + json_string(message) + "}\n";
}

std::optional<api_answer> answer_api(std::string_view path, const query_parameters& query) {
  using route = api_answer (*)(parameters&);
  static const std::pair<std::string_view, route> routes[] = {
      {"/api/catalogue", catalogue},   {"/api/model", model_description},
      {"/api/pass", pass_row},         {"/api/dominant", dominant_row},
      {"/api/diagram.svg", diagram},   {"/api/limits", limit_locus},
  };
  for (const auto& [name, run] : routes) {
    if (name != path) continue;
    parameters p(query);
    try {
      return run(p);
    } catch (const bad_request& e) {
      return api_answer{400, std::string(json_type), json_error(e.message)};
    } catch (const cli::usage_error& e) {
      return api_answer{400, std::string(json_type), json_error(e.what())};
    }
  }
  return std::nullopt;
}

}  // namespace serve

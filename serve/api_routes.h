// The page's JSON API, as answers to a path and its query, with no HTTP in
// it (the server passes them on):
//   /api/catalogue                       observers and illuminants for the menus
//   /api/model?observer=&illuminant=     its locus (1 nm steps), white point, bounds
//   /api/pass?lambda=600&observer=legacy&illuminant=E[&format=json]
//        the bytes `vollfarbe table --format json 600` prints (csv, tsv, jsonl too)
//   /api/dominant?x=0.35&y=0.6&observer=cie1931&illuminant=E[&format=json]
//        the bytes `vollfarbe dominant --format json --xy 0.35 0.6` prints
//   /api/diagram.svg?observer=legacy[,cie1931]&illuminant=E[&lambda=600][&fill=1][&ring=1]
//        the diagram `vollfarbe plot` draws
// The defaults of observer and illuminant are those of the commands. A
// parameter given twice, one the route does not know or a value it cannot
// use is a 400 whose body names it: {"error":"lambda: \"6x\" is not a number"}.
//   /api/limits?Y=50&observer=cie1931&illuminant=D65[&hues=360]
//        the bytes `vollfarbe limits --format json --Y 50 --hues 360` prints:
//        one Y (0 < Y < 100), 1 to 3600 hues; the built-in tables have no
//        optimal-colour solid (400)
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace serve {

struct api_answer {
  int status = 200;
  std::string content_type;
  std::string body;
};

using query_parameters = std::vector<std::pair<std::string, std::string>>;

// The answer for `path` (starting "/api/"), or none for a path that is no route.
std::optional<api_answer> answer_api(std::string_view path, const query_parameters& query);

// {"error":"<message>"} with the message escaped for JSON.
std::string json_error(std::string_view message);

}  // namespace serve

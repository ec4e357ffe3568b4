// Reads only the 256 glyphs it needs from the 57,000 lines of unifont.hex,
// but checks that every line has the file's form, so that a wrong file is
// named as such instead of showing empty cells.
#include "hosts/unifont_glyphs.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string_view>
#include <vector>

#include "textio/cp437.h"

namespace hosts {

namespace {

std::optional<unsigned> hex_digit(char c) {
  if (c >= '0' && c <= '9') return static_cast<unsigned>(c - '0');
  if (c >= 'A' && c <= 'F') return static_cast<unsigned>(c - 'A' + 10);
  if (c >= 'a' && c <= 'f') return static_cast<unsigned>(c - 'a' + 10);
  return std::nullopt;
}

std::optional<char32_t> code_point_of(std::string_view digits) {
  if (digits.empty() || digits.size() > 6) return std::nullopt;
  char32_t value = 0;
  for (const char c : digits) {
    const auto d = hex_digit(c);
    if (!d) return std::nullopt;
    value = value * 16 + *d;
  }
  return value;
}

bool all_hex(std::string_view digits) {
  for (const char c : digits) {
    if (!hex_digit(c)) return false;
  }
  return true;
}

glyph_bitmap bitmap_of(std::string_view digits) {  // 32 checked hex digits
  glyph_bitmap rows{};
  for (std::size_t r = 0; r < rows.size(); ++r) {
    rows[r] = static_cast<std::uint8_t>(*hex_digit(digits[2 * r]) * 16 + *hex_digit(digits[2 * r + 1]));
  }
  return rows;
}

std::string code_point_name(char32_t code_point) {
  char text[16];
  std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(code_point));
  return text;
}

// The file, opened without waiting (a FIFO in the font's place has no
// writer) and only when it is a regular file; closed with the object.
struct font_file {
  std::FILE* stream = nullptr;
  ~font_file() {
    if (stream != nullptr) std::fclose(stream);
  }
};

std::optional<std::string> open_font(const std::string& hex_file, font_file& file) {
  const int fd = ::open(hex_file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return "cannot read " + hex_file + ": " + std::strerror(errno);
  struct stat status {};
  if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
    const bool directory = S_ISDIR(status.st_mode);
    ::close(fd);
    return "cannot read " + hex_file + ": " +
           (directory ? std::strerror(EISDIR) : "not a regular file");
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  file.stream = ::fdopen(fd, "r");
  if (file.stream == nullptr) {
    const int error = errno;
    ::close(fd);
    return "cannot read " + hex_file + ": " + std::strerror(error);
  }
  return std::nullopt;
}

}  // namespace

std::variant<cp437_glyphs, std::string> read_cp437_glyphs(const std::string& hex_file) {
  font_file file;
  if (auto problem = open_font(hex_file, file)) return *std::move(problem);

  // The bytes that show each code point (byte 0 stays blank).
  std::vector<std::pair<char32_t, unsigned char>> wanted;
  for (unsigned byte = 1; byte < 256; ++byte) {
    wanted.emplace_back(textio::cp437_to_unicode(static_cast<unsigned char>(byte)),
                        static_cast<unsigned char>(byte));
  }
  char32_t highest_wanted = 0;
  for (const auto& entry : wanted) highest_wanted = std::max(highest_wanted, entry.first);
  cp437_glyphs glyphs;
  std::array<bool, 256> found{};
  found[0] = true;

  // A .hex line is at most 6 + 1 + 64 characters: a longer one is no such
  // line, and is not read on into memory.
  char buffer[128];
  for (long number = 1; std::fgets(buffer, sizeof buffer, file.stream) != nullptr; ++number) {
    std::string line(buffer);
    const bool whole = !line.empty() && line.back() == '\n';
    if (whole) line.pop_back();
    if (!whole && !std::feof(file.stream)) {
      return hex_file + " is not a Unifont .hex file (line " + std::to_string(number) + ")";
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    const auto colon = line.find(':');
    const std::string_view text(line);
    const auto code_point =
        colon == std::string::npos ? std::nullopt : code_point_of(text.substr(0, colon));
    const std::string_view bitmap = colon == std::string::npos ? "" : text.substr(colon + 1);
    if (!code_point || (bitmap.size() != 32 && bitmap.size() != 64) || !all_hex(bitmap)) {
      return hex_file + " is not a Unifont .hex file (line " + std::to_string(number) + ")";
    }
    if (*code_point > highest_wanted) continue;
    for (const auto& [wanted_point, byte] : wanted) {
      if (wanted_point != *code_point) continue;
      if (bitmap.size() != 32) {
        return hex_file + ": the glyph of " + code_point_name(*code_point) + " is not 8 pixels wide";
      }
      glyphs.of_byte[byte] = bitmap_of(bitmap);
      found[byte] = true;
    }
  }
  if (std::ferror(file.stream)) return "cannot read " + hex_file + ": " + std::strerror(errno);
  for (unsigned byte = 0; byte < 256; ++byte) {
    if (!found[byte]) {
      return hex_file + " has no glyph for " +
             code_point_name(textio::cp437_to_unicode(static_cast<unsigned char>(byte)));
    }
  }
  return glyphs;
}

}  // namespace hosts

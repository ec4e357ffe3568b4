#include "python/table_columns_writer.h"

#include <algorithm>
#include <memory>

#include "colour/parallel_passes.h"

namespace vollfarbe_python {
namespace {

constexpr std::array<std::uint32_t, path_units> middle_text{'m', 'i', 'd', 'd', 'l', 'e'};
constexpr std::array<std::uint32_t, path_units> end_text{'e', 'n', 'd', 0, 0, 0};

// The model it wraps, with a batch entry that also writes each block's rows
// into the columns. The threads of compute_passes call `passes` on disjoint
// blocks, so each writes rows no other thread touches.
class column_writing_model final : public colour::model {
 public:
  column_writing_model(const colour::model& inner, const double* first_entry,
                       const table_column_arrays& columns)
      : inner_(inner), first_entry_(first_entry), columns_(columns) {}

  std::string_view name() const override { return inner_.name(); }
  std::string_view description() const override { return inner_.description(); }
  const colour::model_bounds& bounds() const override { return inner_.bounds(); }
  colour::chromaticity white_point() const override { return inner_.white_point(); }
  colour::chromaticity locus_chromaticity(double w) const override {
    return inner_.locus_chromaticity(w);
  }
  colour::chromaticity drawn_locus_point(double w) const override {
    return inner_.drawn_locus_point(w);
  }
  std::optional<colour::wavelength_pair> compensative_wavelength(double lc,
                                                                 double l) const override {
    return inner_.compensative_wavelength(lc, l);
  }
  colour::tristimulus cumulative_tristimulus(double lambda) const override {
    return inner_.cumulative_tristimulus(lambda);
  }
  colour::tristimulus full_spectrum() const override { return inner_.full_spectrum(); }
  double colour_moment(const colour::tristimulus& t) const override {
    return inner_.colour_moment(t);
  }
  colour::hue_equal_pair hue_equal_wavelengths(double x, double y) const override {
    return inner_.hue_equal_wavelengths(x, y);
  }
  std::optional<colour::dominant_hue> dominant(double x, double y) const override {
    return inner_.dominant(x, y);
  }
  colour::pass_result pass(double lc, double l) const override { return inner_.pass(lc, l); }

  void passes(std::span<const double> lc, std::span<const double> l,
              std::span<colour::pass_result> out) const override {
    inner_.passes(lc, l, out);
    const auto first_row = static_cast<std::size_t>(lc.data() - first_entry_);
    for (std::size_t i = 0; i < out.size(); ++i) {
      const std::size_t row = first_row + i;
      const table::table_row numbers = table::table_row_of(lc[i], out[i]);
      for (std::size_t c = 0; c < number_columns; ++c) columns_.numbers[c][row] = numbers.numbers[c];
      const auto& text = out[i].middle_path ? middle_text : end_text;
      std::copy(text.begin(), text.end(), columns_.path + row * path_units);
    }
  }

 private:
  const colour::model& inner_;
  const double* first_entry_;
  table_column_arrays columns_;
};

}  // namespace

void write_table_columns(const colour::model& model, const double* wavelength,
                         const double* partner, std::size_t count,
                         const table_column_arrays& columns, unsigned threads) {
  // The passes themselves are only kept until their rows are written: a
  // chunk at a time bounds that memory (2.5 MB, reused while in cache) for
  // any array size; each chunk still has blocks for several threads.
  constexpr std::size_t chunk = std::size_t{1} << 14;
  const column_writing_model writer(model, wavelength, columns);
  const std::size_t buffer_size = std::min(chunk, count);
  const std::unique_ptr<colour::pass_result[]> passes(new colour::pass_result[buffer_size]);
  for (std::size_t start = 0; start < count; start += chunk) {
    const std::size_t n = std::min(chunk, count - start);
    colour::compute_passes({wavelength + start, n}, {partner + start, n}, {passes.get(), n},
                           writer, threads);
  }
}

}  // namespace vollfarbe_python

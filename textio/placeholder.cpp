// Keeps the library target non-empty until its first real source lands; delete then.
namespace { [[maybe_unused]] constexpr int placeholder = 0; }

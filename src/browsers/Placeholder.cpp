// Keeps the library non-empty until its first real source file lands.
namespace { [[maybe_unused]] const int PlaceholderForMoxa_browsers = 0; }

// A text library that names a format reader stands above it.
namespace formats {
struct Image;
}

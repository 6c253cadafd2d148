// The browser has no system stb library to link, so its image decoder is compiled here: the BMP reader
// alone, since every image of the game is a BMP.
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_BMP
#define STBI_NO_STDIO
#include <stb_image.h>

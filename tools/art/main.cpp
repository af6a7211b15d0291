// vexmo_art: build-time conversions for the program's pictures and texts.
//
//   vexmo_art bmp IN.png OUT.bmp                  24-bit BMP of a picture
//   vexmo_art palette IN.png OUT.bmp [OUT.png]    colour dialog background with its colour fields
//   vexmo_art icon OUT.ico IN.png...              multi-size icon
//   vexmo_art lang IN.src.txt OUT.txt             language file from its UTF-8 source
//   vexmo_art text IN.txt OUT.txt                 any other UTF-16 text file of the program
//   vexmo_art nearest N IN.png OUT.png...         N-times enlargements for review, pixels repeated
#include "Bitmap.h"
#include "IconFile.h"
#include "Image.h"
#include "LanguageSource.h"
#include "Palette.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using namespace vexmo::art;

int Fail(const std::string& message) {
    std::cerr << "vexmo_art: " << message << "\n";
    return 1;
}

bool ReadText(const char* path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

bool WriteText(const char* path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out.flush());
}

int Bmp(const char* in, const char* out) {
    Image image;
    std::string error;
    if (!ReadPng(in, image, error) || !WriteBmp24(out, image, error)) {
        return Fail(error);
    }
    return 0;
}

int PaletteBitmap(const char* in, const char* outBmp, const char* outPng) {
    Image image;
    std::string error;
    if (!ReadPng(in, image, error)) {
        return Fail(error);
    }
    if (image.width <= kSwatchField.right || image.height <= kHueField.bottom) {
        return Fail(std::string(in) + ": too small for the colour fields");
    }
    PaintPaletteFields(image);
    if (!WriteBmp24(outBmp, image, error) || (outPng && !WritePng(outPng, image, error))) {
        return Fail(error);
    }
    return 0;
}

int Icon(const char* out, const std::vector<const char*>& inputs) {
    std::vector<Image> sizes(inputs.size());
    std::string error;
    for (size_t i = 0; i < inputs.size(); ++i) {
        if (!ReadPng(inputs[i], sizes[i], error)) {
            return Fail(error);
        }
    }
    if (!WriteIcon(out, sizes, error)) {
        return Fail(error);
    }
    return 0;
}

int Text(const char* in, const char* out, bool language) {
    std::string source, bytes, error;
    if (!ReadText(in, source)) {
        return Fail(std::string(in) + ": cannot read");
    }
    const bool ok =
        language ? ConvertLanguageSource(source, bytes, error) : ConvertPlainText(source, bytes, error);
    if (!ok) {
        return Fail(std::string(in) + ": " + error);
    }
    if (!WriteText(out, bytes)) {
        return Fail(std::string(out) + ": cannot write");
    }
    return 0;
}

int Nearest(const char* factorText, const std::vector<const char*>& pairs) {
    const int factor = std::atoi(factorText);
    constexpr int kMaxFactor = 8;
    if (factor < 1 || factor > kMaxFactor || pairs.size() % 2 != 0) {
        return Fail("nearest takes a factor of 1 to 8 and pairs of files");
    }
    std::string error;
    for (size_t i = 0; i < pairs.size(); i += 2) {
        Image image;
        if (!ReadPng(pairs[i], image, error) || !WritePng(pairs[i + 1], ScaleNearest(image, factor), error)) {
            return Fail(error);
        }
    }
    return 0;
}

int Usage() {
    return Fail("usage: vexmo_art bmp IN.png OUT.bmp | palette IN.png OUT.bmp [OUT.png] | "
                "icon OUT.ico IN.png... | lang IN OUT | text IN OUT | nearest N IN OUT...");
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        return Usage();
    }
    const std::string command = argv[1];
    if (command == "bmp" && argc == 4) {
        return Bmp(argv[2], argv[3]);
    }
    if (command == "palette" && (argc == 4 || argc == 5)) {
        return PaletteBitmap(argv[2], argv[3], argc == 5 ? argv[4] : nullptr);
    }
    if (command == "icon" && argc >= 4) {
        return Icon(argv[2], std::vector<const char*>(argv + 3, argv + argc));
    }
    if ((command == "lang" || command == "text") && argc == 4) {
        return Text(argv[2], argv[3], command == "lang");
    }
    if (command == "nearest" && argc >= 5) {
        return Nearest(argv[2], std::vector<const char*>(argv + 3, argv + argc));
    }
    return Usage();
}

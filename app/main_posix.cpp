// The Linux entry point: the command line arrives as bytes.

#include <clocale>

#include "app/entry.hpp"

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");
    return enterProgram([argc, argv](nuk::cli::Parser& parser) { parser.parse(argc, argv); });
}

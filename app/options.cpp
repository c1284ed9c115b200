// Registration of the options with the parser. The order is the order of
// the help listing: the dump options first, the screens last.

#include "app/options.hpp"
#include "app/product.hpp"

void initCommandLine() {
    for (nuk::cli::Option* option :
         {&load, &start, &len, &seek, &width, &squeeze, &hex0x, &turbo, &hexUpper, &bits, &pixels, &color,
          &lowercase, &unicode, &ascii, &Epath, &Enewline, &raw, &source, &reverse, &list, &verbose, &quiet, &version,
          &help, &warranty, &debug}) {
        parser.addOption(*option);
    }
    parser.setDescription(usageDescription);
}

const std::vector<const nuk::cli::Option*>& dumpShapingOptions() {
    static const std::vector<const nuk::cli::Option*> shaping = {
        &start, &len, &seek, &width, &squeeze, &hex0x, &turbo, &hexUpper, &bits, &pixels, &color,
        &lowercase, &unicode, &ascii, &Epath, &Enewline, &raw, &source};
    return shaping;
}

const std::vector<const nuk::cli::Option*>& outputForms() {
    static const std::vector<const nuk::cli::Option*> forms = {&bits, &pixels, &raw, &source};
    return forms;
}

const std::vector<const nuk::cli::Option*>& hexNotationOptions() {
    static const std::vector<const nuk::cli::Option*> notations = {&hex0x, &turbo, &hexUpper};
    return notations;
}

std::vector<const nuk::cli::Option*> refusedWhenReadingBack() {
    std::vector<const nuk::cli::Option*> refused;
    for (const nuk::cli::Option* option : dumpShapingOptions()) {
        if (!(list.given() && (option == &start || option == &lowercase))) refused.push_back(option);
    }
    return refused;
}

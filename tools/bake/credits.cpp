#include "tools/bake/credits.h"

#include <fnmatch.h>

#include <sstream>

namespace bake {

namespace {

struct Paragraph {
    std::vector<std::string> files;
    std::string copyright;
    std::string licence;
};

std::string Trim(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return "";
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

void AddField(Paragraph& p, const std::string& field, const std::string& value, bool firstLine) {
    if (field == "Files") {
        std::istringstream words(value);
        for (std::string w; words >> w;) {
            p.files.push_back(w);
        }
    } else if (field == "Copyright" && !value.empty()) {
        p.copyright += (p.copyright.empty() ? "" : "; ") + value;
    } else if (field == "License" && firstLine) {
        p.licence = value;
    }
}

std::vector<Paragraph> ParseParagraphs(const std::string& text) {
    std::vector<Paragraph> paragraphs(1);
    std::string field;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (Trim(line).empty()) {
            paragraphs.emplace_back();
            field.clear();
        } else if (line[0] == ' ' || line[0] == '\t') {
            AddField(paragraphs.back(), field, Trim(line), false);
        } else if (const std::size_t colon = line.find(':'); colon != std::string::npos) {
            field = line.substr(0, colon);
            AddField(paragraphs.back(), field, Trim(line.substr(colon + 1)), true);
        }
    }
    return paragraphs;
}

}  // namespace

LicenceInfo LookUpLicence(const std::string& copyrightText, const std::string& upstreamPath) {
    LicenceInfo found;
    for (const Paragraph& p : ParseParagraphs(copyrightText)) {
        for (const std::string& pattern : p.files) {
            if (fnmatch(pattern.c_str(), upstreamPath.c_str(), 0) == 0) {
                found = {p.licence, p.copyright};
            }
        }
    }
    return found;
}

std::string CreditsText(const std::vector<Credit>& credits) {
    std::ostringstream out;
    out << "KVX Demo asset credits\n"
           "======================\n\n"
           "Every asset in data/T001.dat to data/T035.dat and every static model compiled into "
           "the program\nwas baked at build time from files installed by Debian packages:\n\n";
    for (const Credit& c : credits) {
        out << c.containers << ": " << c.use << "\n"
            << "  Source:    " << c.source << "\n"
            << (c.package.empty() ? ""
                                  : "  Package:   " + c.package + " (see /usr/share/doc/" +
                                        c.package + "/copyright)\n")
            << "  Licence:   "
            << (c.licence.licence.empty() ? "see the package's copyright file" : c.licence.licence)
            << "\n";
        if (!c.licence.copyright.empty()) {
            out << "  Copyright: " << c.licence.copyright << "\n";
        }
        if (!c.note.empty()) {
            out << "  Note:      " << c.note << "\n";
        }
        out << "\n";
    }
    out << "The height image, the terrain's colour image and the figures' part splits are made by "
           "the\nbaker itself (tools/bake).\n";
    return out.str();
}

}  // namespace bake

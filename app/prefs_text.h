#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

// The text of a user settings file in FLTK's preferences format: three comment lines naming the
// format, the vendor and the application, the root group "[.]" and one group "[./group]" of
// "key:value" lines, values escaped as that format escapes them (backslash, line breaks, control
// and non-ASCII bytes) and carried on over "+" lines after 60 and then every 80 characters.
std::string PrefsText(const char* vendor, const char* application, const std::string& group,
                      const std::vector<std::pair<std::string, std::string>>& entries);

// The keys and unescaped values of "[./group]" in text; the last line of a key counts. What is
// not of the format (a group line without "./", a key before any group, an unknown escape, an
// escape cut off by the end of the value) is left out, and nothing is read past the text.
std::map<std::string, std::string> PrefsGroupEntries(const std::string& text,
                                                     const std::string& group);

#include "frontend/protocol_two.h"

#include "base/protocol_words.h"
#include "frontend/xboard_options.h"
#include "session/string_utils.h"

std::vector<std::string> FeatureLines(const OptionHost& host) {
  std::vector<std::string> lines = {
      "feature ping=1 setboard=1 playother=1 usermove=0 san=0 time=1 draw=1 sigint=0 sigterm=0 reuse=1 "
      "analyze=1 colors=1",
      std::string("feature name=0 ics=0 pause=0 nps=0 debug=0 memory=1 smp=1 variants=\"normal,fischerandom\" myname=\"") +
          Word(kWordEngineName) + "\""};
  for (std::string& line : OptionFeatureLines(host)) lines.push_back(std::move(line));
  lines.push_back("feature done=1");
  return lines;
}

NumberArgument ReadNumberArgument(const std::string& word) {
  NumberArgument result;
  try {
    result.value = StringToInt(word);
    result.ok = true;
  } catch (const string_conversion_error&) {
    const size_t digits = word.size() > 1 && word[0] == '-' ? 1 : 0;
    const bool numeral = word.size() > digits && word.find_first_not_of("0123456789", digits) == std::string::npos;
    result.error = numeral ? "number out of range" : "not a number";
  }
  return result;
}

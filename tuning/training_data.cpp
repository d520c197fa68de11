#include "tuning/training_data.h"

#include <charconv>

namespace {

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
  return text;
}

std::optional<double> ReadResult(std::string_view text) {
  if (text == "1-0" || text == "1") return 1.0;
  if (text == "0-1" || text == "0") return 0.0;
  if (text == "1/2-1/2" || text == "0.5") return 0.5;
  return std::nullopt;
}

}  // namespace

std::string ResultText(double result) { return result > 0.75 ? "1-0" : result < 0.25 ? "0-1" : "1/2-1/2"; }

std::string TrainingLine(const TrainingPosition& position) {
  return position.fen + "; " + ResultText(position.result) + "; " + std::to_string(position.score);
}

std::optional<TrainingPosition> ReadTrainingLine(std::string_view line) {
  line = Trimmed(line);
  if (line.empty() || line.front() == '#') return std::nullopt;
  const size_t first = line.find(';');
  if (first == std::string_view::npos) return std::nullopt;
  const size_t second = line.find(';', first + 1);
  if (second == std::string_view::npos) return std::nullopt;
  TrainingPosition position;
  position.fen = std::string(Trimmed(line.substr(0, first)));
  const std::optional<double> result = ReadResult(Trimmed(line.substr(first + 1, second - first - 1)));
  const std::string_view score = Trimmed(line.substr(second + 1));
  if (position.fen.empty() || !result) return std::nullopt;
  position.result = *result;
  const auto [end, error] = std::from_chars(score.data(), score.data() + score.size(), position.score);
  if (error != std::errc() || end != score.data() + score.size()) return std::nullopt;
  return position;
}

std::string GameLine(uint64_t game, std::string_view result, int plies, int positions, std::string_view ending) {
  return "# game " + std::to_string(game) + ": " + std::string(result) + ", " + std::to_string(plies) + " plies, " +
         std::to_string(positions) + " positions, " + std::string(ending);
}

std::optional<GameLineFields> ReadGameLine(std::string_view line) {
  constexpr std::string_view kStart = "# game ";
  if (line.substr(0, kStart.size()) != kStart) return std::nullopt;
  line.remove_prefix(kStart.size());
  GameLineFields fields{};
  const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), fields.game);
  if (error != std::errc() || line.substr(end - line.data(), 2) != ": ") return std::nullopt;
  line.remove_prefix(end - line.data() + 2);
  fields.result = std::string(line.substr(0, line.find(',')));
  return fields;
}

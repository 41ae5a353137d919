// asrkit list [--json] ARCHIVE: the chunk list as the window's grid shows it,
// as an aligned table for people or as JSON for scripts.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "archive_format.h"
#include "archive_state.h"
#include "cli_common.h"
#include "commands.h"
#include "resource_chunk.h"

namespace asrkit::cli {

namespace {

struct ListOptions {
  std::string path;
  bool json = false;
};

// One row of the grid, plus where the chunk sits in the file.
struct Row {
  std::int32_t number = 0;
  std::int64_t offset = 0;
  std::string tag;
  std::string kind;  // "" for chunks that are not resource chunks
  std::string name;  // likewise
  std::int32_t size = 0;
};

std::vector<Row> Rows(const ArchiveState& state) {
  std::vector<Row> rows;
  rows.reserve(static_cast<std::size_t>(state.ChunkCount));
  std::int64_t offset = kHeaderSize;
  for (std::int32_t i = 0; i < state.ChunkCount; ++i) {
    const auto at = static_cast<std::size_t>(i);
    Row row;
    row.number = i + 1;
    row.offset = offset;
    row.tag = TagText(ChunkBytes(state, i));
    row.size = state.ChunkSizes[at];
    if (state.ChunkTags[at] == TagRSCF) {
      row.kind = std::string(KindText(PayloadKind(state, i)));
      row.name = ResourceName(state, i);
    }
    offset += row.size;
    rows.push_back(std::move(row));
  }
  return rows;
}

void Write(const std::string& text) { std::fwrite(text.data(), 1, text.size(), stdout); }

void Pad(std::string& out, const std::string& text, std::size_t width, bool right) {
  const std::size_t fill = width > text.size() ? width - text.size() : 0;
  if (right) out.append(fill, ' ');
  out += text;
  if (!right) out.append(fill, ' ');
}

void PrintTable(const std::vector<Row>& rows) {
  const std::vector<std::string> headers{"#", "Tag", "Kind", "Name", "Size"};
  std::vector<std::array<std::string, 5>> cells;
  cells.reserve(rows.size());
  std::array<std::size_t, 5> widths{};
  for (std::size_t c = 0; c < widths.size(); ++c) widths[c] = headers[c].size();
  for (const Row& row : rows) {
    cells.push_back(
        {std::to_string(row.number), row.tag, row.kind, row.name, std::to_string(row.size)});
    for (std::size_t c = 0; c < widths.size(); ++c) {
      widths[c] = std::max(widths[c], cells.back()[c].size());
    }
  }
  constexpr std::array<bool, 5> kRight{true, false, false, false, true};
  std::string out;
  auto line = [&](const auto& texts) {
    for (std::size_t c = 0; c < widths.size(); ++c) {
      if (c > 0) out += "  ";
      Pad(out, texts[c], widths[c], kRight[c]);
    }
    out += '\n';
    if (out.size() > (1U << 16)) {
      Write(out);
      out.clear();
    }
  };
  line(headers);
  for (const auto& row : cells) line(row);
  Write(out);
}

void PrintJson(const std::vector<Row>& rows) {
  // One object a line, keys in the documented order. Tags and names are 8-bit
  // text; bytes that are not UTF-8 are shown as U+FFFD.
  std::string out = "[";
  bool first = true;
  for (const Row& row : rows) {
    nlohmann::ordered_json object;
    object["number"] = row.number;
    object["offset"] = row.offset;
    object["tag"] = row.tag;
    object["kind"] = row.kind;
    object["name"] = row.name;
    object["size"] = row.size;
    out += first ? "\n" : ",\n";
    first = false;
    out += object.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
    if (out.size() > (1U << 16)) {
      Write(out);
      out.clear();
    }
  }
  out += "\n]\n";
  Write(out);
}

int RunList(const ListOptions& options) {
  ArchiveState state;
  if (!OpenForCommand(state, options.path)) return kExitFailed;
  const std::vector<Row> rows = Rows(state);
  if (options.json) {
    PrintJson(rows);
  } else {
    PrintTable(rows);
  }
  return kExitOk;
}

}  // namespace

void AddListCommand(CLI::App& app, int& exit_code) {
  auto options = std::make_shared<ListOptions>();
  CLI::App* command =
      app.add_subcommand("list", "List the chunks: number, tag, kind, resource name, size");
  command->add_flag("--json", options->json,
                    "JSON array of {number, offset, tag, kind, name, size}");
  command->add_option("ARCHIVE", options->path, "Archive file")->required();
  command->callback([options, &exit_code] { exit_code = RunList(*options); });
}

}  // namespace asrkit::cli

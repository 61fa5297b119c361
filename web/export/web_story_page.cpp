#include "web/export/web_story_page.h"

#include <cstdint>
#include <cstdio>
#include <set>

#include "common/json_string.h"
#include "format/text_record.h"

namespace qvn {

namespace {

constexpr char kBase64[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

std::string Base64(BytesView data) {
  std::string out;
  out.reserve((data.size() + 2) / 3 * 4);
  std::size_t i = 0;
  auto at = [&](std::size_t k) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(data[k]));
  };
  for (; i + 3 <= data.size(); i += 3) {
    std::uint32_t n = (at(i) << 16) | (at(i + 1) << 8) | at(i + 2);
    for (int shift : {18, 12, 6, 0}) out.push_back(kBase64[(n >> shift) & 63]);
  }
  if (std::size_t rest = data.size() - i; rest > 0) {
    std::uint32_t n = at(i) << 16 | (rest == 2 ? at(i + 1) << 8 : 0);
    out.push_back(kBase64[(n >> 18) & 63]);
    out.push_back(kBase64[(n >> 12) & 63]);
    out.push_back(rest == 2 ? kBase64[(n >> 6) & 63] : '=');
    out.push_back('=');
  }
  return out;
}

// Inside the page's script element: no story text can end the element.
std::string ScriptJson(std::string_view utf8) {
  return JsonString(utf8, JsonPlace::kScript);
}

std::string HtmlText(std::string_view utf8) {
  std::string out;
  for (char ch : utf8) {
    switch (ch) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&#39;";
        break;
      default:
        // Control characters have no place in a title.
        out.push_back(static_cast<unsigned char>(ch) < 0x20 || ch == 0x7f ? ' ' : ch);
    }
  }
  return out;
}

std::string StoryJson(const WebStory& story) {
  std::string json = "{\"identity\":" + ScriptJson(story.identity);
  json += ",\"title\":" + ScriptJson(story.title_utf8);
  json += ",\"base\":" + ScriptJson(story.base_name);
  json += ",\"story\":" + ScriptJson(story.story_file);
  json += ",\"freshSlot\":\"" + Base64(story.fresh_slot) + "\"";
  json += ",\"files\":[";
  for (std::size_t i = 0; i < story.files.size(); ++i) {
    json += std::string(i ? "," : "") + "\n{\"path\":" + ScriptJson(story.files[i].path) +
            ",\"data\":\"" + Base64(story.files[i].data) + "\"}";
  }
  json += "]}";
  return json;
}

}  // namespace

std::vector<MediaReference> MediaReferences(BytesView body) {
  std::vector<MediaReference> references;
  std::set<std::pair<Bytes, bool>> seen;
  std::size_t offset = 0;
  while (std::optional<BytesView> next = ReadTextRecord(body, offset)) {
    BytesView record = *next;
    if (record.size() < 6 || record[0] != '>') continue;
    BytesView key = record.substr(1, 4);
    bool picture = key == "BMP=" || key == "BAK=" || key == "TIL=";
    if (!picture && key != "WAV=" && key != "BGM=") continue;
    Bytes operand(record.substr(5));
    if (seen.insert({operand, picture}).second) references.push_back({operand, picture});
  }
  return references;
}

std::vector<Bytes> ProgramReferences(BytesView body) {
  std::vector<Bytes> programs;
  std::set<Bytes> seen;
  std::size_t offset = 0;
  while (std::optional<BytesView> next = ReadTextRecord(body, offset)) {
    BytesView record = *next;
    if (record.size() < 6 || record[0] != '>' || record.substr(1, 4) != "EXE=") continue;
    BytesView command = record.substr(5);
    Bytes word(command.substr(0, command.find(' ')));
    if (!word.empty() && seen.insert(word).second) programs.push_back(word);
  }
  return programs;
}

std::string WebStoryIdentity(const std::string& title_utf8, BytesView index) {
  // FNV-1a, 64 bits: two stories of one title tell apart by their index.
  std::uint64_t hash = 0xcbf29ce484222325u;
  for (char ch : index) {
    hash ^= static_cast<unsigned char>(ch);
    hash *= 0x100000001b3u;
  }
  char hex[17];
  std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
  return title_utf8 + "#" + hex;
}

bool FillWebPage(const std::string& page_template, const WebStory& story, std::string& page) {
  constexpr std::string_view kTitle = "@QVN_TITLE@";
  constexpr std::string_view kStory = "@QVN_STORY@";
  std::size_t title = page_template.find(kTitle);
  std::size_t data = page_template.find(kStory);
  if (title == std::string::npos || data == std::string::npos || data < title) return false;
  page.clear();
  page.reserve(page_template.size() + 4 * 1024 * 1024);
  page.append(page_template, 0, title);
  page += HtmlText(story.title_utf8);
  page.append(page_template, title + kTitle.size(), data - title - kTitle.size());
  page += StoryJson(story);
  page.append(page_template, data + kStory.size());
  return true;
}

}  // namespace qvn

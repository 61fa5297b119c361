#pragma once
// A compiled story made into one HTML page: its index and body, the pictures
// and sounds it names, and the story's identity, filled into the web
// reader's template.
#include <filesystem>
#include <string>
#include <vector>

#include "common/bytes.h"

namespace qvn {

struct WebStoryFile {
  std::string path;  // relative to the story's folder, as found there
  Bytes data;
};

struct WebStory {
  std::string title_utf8;
  std::string identity;    // title and a hash of the index: the page's storage key
  std::string base_name;   // of the user data files
  std::string story_file;  // the body's file name
  Bytes fresh_slot;        // the text of a new slot
  std::vector<WebStoryFile> files;
};

// A file named by a directive ("BMP=", "BAK=", "TIL=", "WAV=", "BGM="), as
// the story gives it.
struct MediaReference {
  Bytes operand;
  bool picture = false;
};

// Every picture and sound operand of the story body's directives, each once.
std::vector<MediaReference> MediaReferences(BytesView body);

// The program word of every "EXE=" directive, each once.
std::vector<Bytes> ProgramReferences(BytesView body);

// The page: `page_template` with its title and story markers filled. False
// when the template lacks a marker.
bool FillWebPage(const std::string& page_template, const WebStory& story, std::string& page);

// The identity of a story in the browser's storage.
std::string WebStoryIdentity(const std::string& title_utf8, BytesView index);

}  // namespace qvn

#include "gridio/grid_text.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

#include "gridio/string_grid_io.h"
#include "runtime/encoding.h"
#include "runtime/exceptions.h"
#include "runtime/exclusive_read.h"
#include "runtime/memory_hints.h"
#include "runtime/messages.h"

namespace tokiwa {

namespace {

// A growing block of raw memory for the decoded text. Decoding writes straight
// into it, and growing it moves no bytes: blocks this large are mapped memory,
// which realloc remaps. Capacity never written to costs address space, not
// memory.
class TextBuffer {
 public:
  TextBuffer() = default;
  TextBuffer(const TextBuffer&) = delete;
  TextBuffer& operator=(const TextBuffer&) = delete;
  ~TextBuffer() { std::free(data_); }

  // Makes room for extra more bytes.
  void MakeRoom(std::size_t extra) {
    const std::size_t needed = size_ + extra;
    if (needed <= capacity_) return;
    Resize(std::max(needed, capacity_ + capacity_ / 2));
  }
  char* End() { return data_ + size_; }
  void SetEnd(char* end) { size_ = static_cast<std::size_t>(end - data_); }
  std::size_t Size() const { return size_; }

  // Hands the text over, trimmed to its size.
  std::shared_ptr<const char> Release() {
    Resize(size_);
    char* data = std::exchange(data_, nullptr);
    capacity_ = 0;
    return std::shared_ptr<const char>(data, [](const char* p) { std::free(const_cast<char*>(p)); });
  }

 private:
  void Resize(std::size_t capacity) {
    capacity = std::max<std::size_t>(capacity, 1);  // an empty text still has an address
    void* grown = std::realloc(data_, capacity);
    if (!grown) throw std::bad_alloc();
    data_ = static_cast<char*>(grown);
    capacity_ = capacity;
    AdviseHugePages(data_, capacity_);
  }

  char* data_ = nullptr;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
};

std::size_t LastLineEnd(std::string_view bytes) {
  const std::size_t cr = bytes.rfind('\r'), lf = bytes.rfind('\n');
  if (cr == std::string_view::npos) return lf;
  if (lf == std::string_view::npos) return cr;
  return std::max(cr, lf);
}

// Decodes one file into UTF-8 as it is read, up to its first NUL, appending
// to a buffer shared by the files; notes where its lines end in the file.
class FileSink : public ReadSink {
 public:
  FileSink(TextBuffer& text, FileReadState& file) : text_(text), file_(file), begin_(text.Size()) {}

  void Opened(std::uint64_t device, std::uint64_t inode) override {
    file_.Device = device;
    file_.Inode = inode;
  }
  void Begin(std::uint64_t size) override {
    // Double-byte text grows by half; more than that grows the buffer.
    text_.MakeRoom(static_cast<std::size_t>(size + size / 2 + 64));
  }
  bool Consume(std::string_view piece) override {
    const void* nul = std::memchr(piece.data(), '\0', piece.size());
    if (nul) piece = piece.substr(0, static_cast<std::size_t>(static_cast<const char*>(nul) - piece.data()));
    Note(piece);
    Decode(piece, nul != nullptr);
    file_.EndedAtNul = nul != nullptr;
    return !file_.EndedAtNul;
  }
  void End() override {
    if (!file_.EndedAtNul) Decode({}, true);
  }

  std::size_t Begin() const { return begin_; }

 private:
  // Keeps the raw bytes just before the last line end seen so far.
  void Note(std::string_view piece) {
    const std::size_t end = LastLineEnd(piece);
    if (end != std::string_view::npos) {
      file_.CompleteBytes = file_.RawBytes + end + 1;
      file_.Guard = recent_;
      AppendToGuard(file_.Guard, piece.substr(0, end + 1));
    }
    AppendToGuard(recent_, piece);
    file_.RawBytes += piece.size();
  }
  void Decode(std::string_view piece, bool last) {
    text_.MakeRoom(Cp932Decoder::MaxDecodedSize(piece.size()));
    text_.SetEnd(decoder_.DecodeTo(piece, text_.End(), last));
  }

  TextBuffer& text_;
  FileReadState& file_;
  std::size_t begin_;
  std::string recent_;
  Cp932Decoder decoder_;
};

}  // namespace

void AppendToGuard(std::string& guard, std::string_view more) {
  if (more.size() >= kTextGuardBytes) guard.clear();
  guard.append(more.substr(more.size() - std::min(more.size(), kTextGuardBytes)));
  if (guard.size() > kTextGuardBytes) guard.erase(0, guard.size() - kTextGuardBytes);
}

void ReadFilesInOrder(const std::vector<std::string>& fileNames, const ReadOneFile& read) {
  std::uint64_t budget = kMaxGridFileBytes;
  for (std::size_t i = 0; i < fileNames.size(); ++i) {
    std::uint64_t taken = 0;
    const ReadOutcome outcome = read(i, budget, taken);
    if (outcome == ReadOutcome::roTooLarge && fileNames.size() > 1)
      throw EFOpenError(FormatText(msg::FilesTooLarge, {Arg(static_cast<long long>(kMaxGridFileBytes >> 20))}));
    ThrowIfFailed(outcome, fileNames[i], kMaxGridFileBytes);
    budget -= std::min(budget, taken);
  }
}

GridTexts ReadGridTexts(const std::vector<std::string>& fileNames) {
  TextBuffer text;
  GridTexts result;
  result.Files.resize(fileNames.size());
  std::vector<std::pair<std::size_t, std::size_t>> ranges;
  ReadFilesInOrder(fileNames, [&](std::size_t i, std::uint64_t budget, std::uint64_t& taken) {
    FileText& file = result.Files[i];
    file.Name = fileNames[i];
    FileSink sink(text, file.Read);
    const ReadOutcome outcome = ReadFileExclusive(file.Name, budget, sink);
    taken = file.Read.RawBytes;
    ranges.emplace_back(sink.Begin(), text.Size());
    return outcome;
  });
  result.Size = text.Size();
  result.Data = text.Release();
  for (std::size_t i = 0; i < ranges.size(); ++i)
    result.Files[i].Text = std::string_view(result.Data.get() + ranges[i].first, ranges[i].second - ranges[i].first);
  return result;
}

}  // namespace tokiwa

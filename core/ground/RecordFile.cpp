#include "core/ground/RecordFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QtEndian>
#include <algorithm>
#include <cerrno>

#include "core/ground/AnsiText.h"

namespace RecordFile {

void Encoder::PutInt16(uint16_t value) {
  char bytes[2];
  qToLittleEndian(value, bytes);
  Bytes.append(bytes, 2);
}

void Encoder::PutInt32(int32_t value) {
  char bytes[4];
  qToLittleEndian(value, bytes);
  Bytes.append(bytes, 4);
}

void Encoder::Put(const QString& text) {
  const QByteArray bytes = AnsiText::Encode(text);
  if (bytes.size() > 0xFFFF) {
    Status = Result::TextTooLong;
    return;
  }
  PutInt16(uint16_t(bytes.size()));
  Bytes.append(bytes);
}

bool Decoder::Take(void* out, qsizetype size) {
  if (Left() < size) return false;
  memcpy(out, bytes_.constData() + pos_, size_t(size));
  pos_ += size;
  return true;
}

void Decoder::Get(uint8_t& value) {
  value = 0;
  if (Status == Result::Ok && Left() > 0) Take(&value, 1);
}

void Decoder::Get(bool& value, bool anyNonzero) {
  uint8_t byte = 0;
  Get(byte);
  value = anyNonzero ? byte != 0 : byte == 1;
}

void Decoder::Get(QString& text) {
  text.clear();
  if (Status != Result::Ok || Left() == 0) return;
  uchar raw[2];
  if (!Take(raw, 2) || Left() < qFromLittleEndian<uint16_t>(raw)) {
    Status = Result::Corrupt;  // the file ends inside the text
    return;
  }
  const uint16_t count = qFromLittleEndian<uint16_t>(raw);
  // A text holds at most one character per byte, and its block has a header.
  constexpr qsizetype kTextBlockHeader = 32;
  if (count > 0 && !Charge(kTextBlockHeader + count * qsizetype(sizeof(QChar)))) return;
  text = AnsiText::Decode(bytes_.mid(pos_, count));
  pos_ += count;
}

bool Decoder::Charge(qsizetype memory) {
  if (memory > allowance_) {
    Status = Result::Corrupt;
    return false;
  }
  allowance_ -= memory;
  return true;
}

bool Decoder::GetDimensions(int32_t& count, int32_t& lowerBound, qsizetype elementSize) {
  count = 0;
  if (Status != Result::Ok || Left() == 0) return false;
  uchar raw[8];
  if (!Take(raw, 2)) {
    Status = Result::Corrupt;
    return false;
  }
  const uint16_t dimensions = qFromLittleEndian<uint16_t>(raw);
  if (dimensions == 0) return false;
  if (dimensions != 1 || !Take(raw, 8)) {
    Status = Result::Corrupt;
    return false;
  }
  const uint32_t stored = qFromLittleEndian<uint32_t>(raw);
  lowerBound = qFromLittleEndian<int32_t>(raw + 4);
  // A count whose smallest elements would not fit in what is left cannot be
  // real; it is never used to size an allocation.
  if (stored > uint64_t(Left() / elementSize) || stored > uint32_t(INT32_MAX)) {
    Status = Result::Corrupt;
    return false;
  }
  count = int32_t(stored);
  return count > 0;
}

namespace {

// No record of the program comes near this; a bigger file is not one of ours.
constexpr qsizetype kLargestRecordFile = 64 * 1024 * 1024;

// True when the name leads, through any links, to something that exists and
// is not a regular file: a device, a named pipe, a socket or a folder.
bool LeadsToOtherThanAFile(const QByteArray& name) {
  struct stat status {};
  return ::stat(name.constData(), &status) == 0 && !S_ISREG(status.st_mode);
}

// Reads the open file to its end, but never more than the cap: a file that
// goes on past it is Corrupt, however its size was reported.
constexpr qsizetype kChunk = 64 * 1024;

Result ReadAtMost(int file, qsizetype cap, QByteArray& bytes) {
  for (;;) {
    const qsizetype start = bytes.size();
    bytes.resize(start + kChunk);
    const ssize_t got = ::read(file, bytes.data() + start, size_t(kChunk));
    bytes.resize(start + std::max<qsizetype>(got, 0));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return Result::OpenFailed;
    if (bytes.size() > cap) return Result::Corrupt;
    if (got == 0) return Result::Ok;
  }
}

}  // namespace

Result WriteBytes(const QString& path, const QByteArray& bytes) {
  // A save follows a link to its file; a link to a device or a pipe would
  // have the save replace that instead.
  const QByteArray name = QFile::encodeName(path);
  if (QFileInfo(path).isSymLink() && LeadsToOtherThanAFile(name)) return Result::OpenFailed;
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return Result::OpenFailed;
  // The commit takes a short write of the last buffered bytes (a full disk)
  // for a whole one: they are pushed out, and checked, before it.
  if (file.write(bytes) != bytes.size() || !file.flush()) {
    file.cancelWriting();
    return Result::WriteFailed;
  }
  return file.commit() ? Result::Ok : Result::WriteFailed;
}

Result ReadBytes(const QString& path, QByteArray& bytes) {
  bytes.clear();
  // Only a regular file is opened: a device behind a record's name never
  // ends and a named pipe never answers. Opening without waiting and looking
  // again at what was opened keeps a swap meanwhile from blocking the read.
  const QByteArray name = QFile::encodeName(path);
  if (path.isEmpty() || LeadsToOtherThanAFile(name)) return Result::OpenFailed;
  const int file = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (file < 0) return Result::OpenFailed;
  struct stat status {};
  Result result;
  if (::fstat(file, &status) != 0 || !S_ISREG(status.st_mode)) {
    result = Result::OpenFailed;
  } else if (status.st_size > kLargestRecordFile) {
    result = Result::Corrupt;
  } else {
    // Room for the whole file and the read that finds its end, so that the
    // buffer is never copied on the way.
    bytes.reserve(qsizetype(status.st_size) + kChunk);
    result = ReadAtMost(file, kLargestRecordFile, bytes);
  }
  ::close(file);
  if (result != Result::Ok) bytes.clear();
  return result;
}

Result CreateEmpty(const QString& path) {
  // Never through a link and never onto anything that is there already.
  const int file = ::open(QFile::encodeName(path).constData(),
                          O_WRONLY | O_CREAT | O_EXCL | O_NONBLOCK | O_CLOEXEC, 0666);
  if (file < 0) return Result::OpenFailed;
  ::close(file);
  return Result::Ok;
}

}  // namespace RecordFile

#include "core/ground/RecordFile.h"

#include <QFile>
#include <QSaveFile>
#include <QtEndian>

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

Result WriteBytes(const QString& path, const QByteArray& bytes) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return Result::OpenFailed;
  if (file.write(bytes) != bytes.size()) {
    file.cancelWriting();
    return Result::WriteFailed;
  }
  return file.commit() ? Result::Ok : Result::WriteFailed;
}

Result ReadBytes(const QString& path, QByteArray& bytes) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return Result::OpenFailed;
  // No record of the program comes near this; a bigger file is not one of ours.
  constexpr qint64 kLargestRecordFile = 64 * 1024 * 1024;
  if (file.size() > kLargestRecordFile) return Result::Corrupt;
  bytes = file.readAll();
  return file.error() == QFileDevice::NoError ? Result::Ok : Result::OpenFailed;
}

}  // namespace RecordFile

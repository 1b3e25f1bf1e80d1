#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

#include "core/ground/RecordFile.h"

// Spells out the bytes of a record file by hand, field by field, so that a
// fixture states the file layout independently of the record writer.
class RecordBytes {
 public:
  RecordBytes& Text(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    Int16(uint16_t(utf8.size()));
    bytes_ += utf8;
    return *this;
  }
  RecordBytes& Texts(int count, const QString& text = QString()) {
    for (int i = 0; i < count; ++i) Text(text);
    return *this;
  }
  RecordBytes& Byte(uint8_t value) {
    bytes_ += char(value);
    return *this;
  }
  // The header of a one-dimensional dynamic array.
  RecordBytes& Dimension(int32_t count, int32_t lowerBound) {
    Int16(1);
    Int32(count);
    Int32(lowerBound);
    return *this;
  }
  // A dynamic array never given elements.
  RecordBytes& NoDimension() { return Int16(0); }
  QByteArray Bytes() const { return bytes_; }

 private:
  RecordBytes& Int16(uint16_t value) {
    bytes_ += char(value & 0xff);
    bytes_ += char(value >> 8);
    return *this;
  }
  RecordBytes& Int32(int32_t value) {
    for (int shift = 0; shift < 32; shift += 8) bytes_ += char((uint32_t(value) >> shift) & 0xff);
    return *this;
  }
  QByteArray bytes_;
};

// The bytes of a record as the program writes them, but with the byte of one
// flag set to a value the program never writes, as a file from elsewhere may
// hold it. The flag's byte is the one that changes when the flag is set.
template <class R>
QByteArray WithFlagByte(R record, bool R::*flag, uint8_t byte) {
  record.*flag = false;
  const QByteArray cleared = RecordFile::Encode(record);
  record.*flag = true;
  QByteArray bytes = RecordFile::Encode(record);
  for (qsizetype i = 0; i < bytes.size(); ++i) {
    if (bytes[i] != cleared[i]) {
      bytes[i] = char(byte);
      break;
    }
  }
  return bytes;
}

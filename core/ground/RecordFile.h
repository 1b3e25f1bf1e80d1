#pragma once

// One encoding for every record file of the program (config.qcf, .qfm, .qca,
// .qcv, .qep, .qfl): fields back to back in declaration order, little-endian.
//   byte            1 byte: a number, a yes/no flag (bool) or a kind (an enum
//                   class over uint8_t, which keeps a byte it has no name for)
//   text            16-bit byte count, then the bytes (see AnsiText)
//   fixed array     its elements only, no count
//   embedded record its fields, no marker
//   dynamic array   16-bit dimension count; per dimension a 32-bit element
//                   count and a 32-bit lower bound; then the elements
//
// A record type lists its fields once, as a tuple of member pointers named
// Fields; the generic reader and writer below walk that list.

#include <QByteArray>
#include <QList>
#include <QString>
#include <array>
#include <concepts>
#include <cstdint>
#include <tuple>
#include <type_traits>
#include <utility>

// A dynamic array whose lower bound survives a write and a read. An array
// never given elements is stored with no dimensions at all.
template <class T>
struct DynArray {
  int32_t LowerBound = 1;
  QList<T> Items;

  bool IsEmpty() const { return Items.isEmpty(); }
  qsizetype Count() const { return Items.size(); }
  int32_t UpperBound() const { return LowerBound + int32_t(Items.size()) - 1; }
  // Element by its own index, as the record's owner numbers it.
  T& operator[](int32_t index) { return Items[index - LowerBound]; }
  const T& operator[](int32_t index) const { return Items[index - LowerBound]; }

  bool operator==(const DynArray& other) const {
    return Items == other.Items && (Items.isEmpty() || LowerBound == other.LowerBound);
  }
};

template <class R>
concept RecordType = requires {
  R::Fields;
};

// A kind stored in one byte.
template <class E>
concept ByteEnum = std::is_enum_v<E> && std::is_same_v<std::underlying_type_t<E>, uint8_t>;

namespace RecordFile {

// The fewest bytes a field of type T takes in a file: a byte 1, an empty text
// its count alone, an array never given elements its dimension count, a fixed
// array or a record the sum of theirs. An array count is checked against it
// before anything is allocated for the elements.
template <class T>
struct MinEncodedSize;
template <>
struct MinEncodedSize<uint8_t> {
  static constexpr qsizetype value = 1;
};
template <>
struct MinEncodedSize<bool> {
  static constexpr qsizetype value = 1;
};
template <ByteEnum E>
struct MinEncodedSize<E> {
  static constexpr qsizetype value = 1;
};
template <>
struct MinEncodedSize<QString> {
  static constexpr qsizetype value = 2;
};
template <class T, size_t N>
struct MinEncodedSize<std::array<T, N>> {
  static constexpr qsizetype value = qsizetype(N) * MinEncodedSize<T>::value;
};
template <class T>
struct MinEncodedSize<DynArray<T>> {
  static constexpr qsizetype value = 2;
};
template <RecordType R>
struct MinEncodedSize<R> {
  static constexpr qsizetype value = std::apply(
      [](auto... member) {
        return (qsizetype(0) + ... +
                MinEncodedSize<std::remove_cvref_t<decltype(std::declval<R&>().*member)>>::value);
      },
      R::Fields);
};

enum class Result { Ok, OpenFailed, WriteFailed, TextTooLong, Corrupt };

// Writing ---------------------------------------------------------------

class Encoder {
 public:
  QByteArray Bytes;
  Result Status = Result::Ok;

  void Put(uint8_t value) { Bytes.append(char(value)); }
  void Put(bool value) { Put(uint8_t(value ? 1 : 0)); }
  template <ByteEnum E>
  void Put(E value) {
    Put(uint8_t(value));
  }
  void Put(const QString& text);
  template <class T, size_t N>
  void Put(const std::array<T, N>& items) {
    for (const T& item : items) Put(item);
  }
  template <class T>
  void Put(const DynArray<T>& array) {
    if (array.IsEmpty()) {
      PutInt16(0);
      return;
    }
    PutInt16(1);
    PutInt32(int32_t(array.Count()));
    PutInt32(array.LowerBound);
    for (const T& item : array.Items) Put(item);
  }
  template <RecordType R>
  void Put(const R& record) {
    std::apply([&](auto... member) { (Put(record.*member), ...); }, R::Fields);
  }

 private:
  void PutInt16(uint16_t value);
  void PutInt32(int32_t value);
};

// Reading ---------------------------------------------------------------

class Decoder {
 public:
  explicit Decoder(const QByteArray& bytes)
      : bytes_(bytes), allowance_(kMemoryPerByte * bytes.size() + kMemoryForAnyFile) {}
  Result Status = Result::Ok;

  // What a record read from a file may take in memory: a few times the
  // file's size, and enough for the largest record the program writes
  // itself. A file whose record would take more is Corrupt; it is refused
  // before the memory is taken.
  static constexpr qsizetype kMemoryPerByte = 4;
  static constexpr qsizetype kMemoryForAnyFile = 4 * 1024 * 1024;

  void Get(uint8_t& value);
  // A flag byte is yes only when it is 1, unless anyNonzero.
  void Get(bool& value, bool anyNonzero = false);
  template <ByteEnum E>
  void Get(E& value) {
    uint8_t byte = 0;
    Get(byte);
    value = E(byte);
  }
  void Get(QString& text);
  template <class T, size_t N>
  void Get(std::array<T, N>& items) {
    for (T& item : items) Get(item);
  }
  template <class T>
  void Get(DynArray<T>& array) {
    array = DynArray<T>();
    int32_t count = 0;
    if (!GetDimensions(count, array.LowerBound, MinEncodedSize<T>::value)) return;
    if (!Charge(count * qsizetype(sizeof(T)))) return;
    array.Items.resize(count);
    for (T& item : array.Items) {
      Get(item);
      if (Status != Result::Ok) break;
    }
    if (Status != Result::Ok) array = DynArray<T>();
  }
  template <RecordType R>
  void Get(R& record) {
    std::apply([&](auto... member) { (GetField(record, member), ...); }, R::Fields);
  }

 private:
  template <RecordType R, class T>
  void GetField(R& record, T R::*member) {
    if constexpr (std::is_same_v<T, bool>)
      Get(record.*member, ReadsAnyNonzero<R>(member));
    else
      Get(record.*member);
  }
  // A record lists in NonzeroFlags the flags that its program has always
  // taken as yes for any byte but 0.
  template <RecordType R>
  static bool ReadsAnyNonzero(bool R::*member) {
    if constexpr (requires { R::NonzeroFlags; }) {
      return std::apply([&](auto... flag) { return ((flag == member) || ...); }, R::NonzeroFlags);
    } else {
      return false;
    }
  }

  // Reads a dimension header; false when the array has no elements or the
  // header is bad (then Status says Corrupt). A count of elements that cannot
  // fit in what is left of the file, each at least elementSize bytes, is bad.
  bool GetDimensions(int32_t& count, int32_t& lowerBound, qsizetype elementSize);
  // Takes memory from the allowance; false (and Corrupt) when it is spent.
  bool Charge(qsizetype memory);
  bool Take(void* out, qsizetype size);
  qsizetype Left() const { return bytes_.size() - pos_; }

  const QByteArray& bytes_;
  qsizetype pos_ = 0;
  qsizetype allowance_;
};

template <RecordType R>
QByteArray Encode(const R& record, Result* status = nullptr) {
  Encoder encoder;
  encoder.Put(record);
  if (status) *status = encoder.Status;
  return encoder.Status == Result::Ok ? encoder.Bytes : QByteArray();
}

// Bytes past the end read as zero: a short file gives a record whose last
// fields are empty. A count that cannot fit in what is left, or a record that
// would take more memory than the decoder allows, is Corrupt, and the record
// comes back empty.
template <RecordType R>
Result Decode(const QByteArray& bytes, R& record) {
  record = R();
  Decoder decoder(bytes);
  decoder.Get(record);
  if (decoder.Status != Result::Ok) record = R();
  return decoder.Status;
}

// A path that is a link to anything but a regular file is not written.
Result WriteBytes(const QString& path, const QByteArray& bytes);
// Reads a regular file (a link is followed to one) of at most 64 MiB without
// ever waiting: a device, a named pipe or a folder is OpenFailed, a longer
// file Corrupt; either leaves bytes empty.
Result ReadBytes(const QString& path, QByteArray& bytes);
// Makes an empty file where nothing of that name is, not even a link;
// OpenFailed when something is there or it cannot be made.
Result CreateEmpty(const QString& path);

// Writes the whole file at once: a failed save leaves the old file as it was.
template <RecordType R>
Result Write(const QString& path, const R& record) {
  Result status = Result::Ok;
  const QByteArray bytes = Encode(record, &status);
  if (status != Result::Ok) return status;
  return WriteBytes(path, bytes);
}

// Empties the record, then reads it from the file.
template <RecordType R>
Result Read(const QString& path, R& record) {
  record = R();
  QByteArray bytes;
  const Result status = ReadBytes(path, bytes);
  if (status != Result::Ok) return status;
  return Decode(bytes, record);
}

}  // namespace RecordFile

// Feeds arbitrary bytes to the record reader as every record type, and checks
// that whatever it accepts writes back and reads again to the same record.
#include <cstdlib>

#include "core/ground/ConfigRecord.h"
#include "core/ground/EditProfileRec.h"
#include "core/ground/FilterDef.h"
#include "core/ground/FormatProfile.h"
#include "core/ground/RecordFile.h"

namespace {

template <class R>
void Check(const QByteArray& bytes) {
  R record;
  if (RecordFile::Decode(bytes, record) != RecordFile::Result::Ok) return;
  RecordFile::Result status = RecordFile::Result::Ok;
  const QByteArray again = RecordFile::Encode(record, &status);
  if (status != RecordFile::Result::Ok) return;
  R back;
  if (RecordFile::Decode(again, back) != RecordFile::Result::Ok || !(back == record)) abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
  Check<ConfigRecord>(bytes);
  Check<FormatProfile>(bytes);
  Check<ExtCodecDef>(bytes);
  Check<EditProfileRec>(bytes);
  Check<FilterDef>(bytes);
  return 0;
}

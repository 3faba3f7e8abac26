#include "common/line_fields.h"

#include "common/text.h"

namespace sorvane {

namespace {

void Store(std::vector<std::string>& fields, std::size_t& used, std::string_view text) {
  if (used < fields.size()) {
    fields[used].assign(text);
  } else {
    fields.emplace_back(text);
  }
  ++used;
}

Unexpected Broken(const FieldReader::Field& field) {
  return Fail(field.line, std::string(FieldReader::Describe(field.status)));
}

}  // namespace

Expected<LineRead> ContinueLineFields(FieldReader& reader, const FieldReader::Field& first,
                                      std::vector<std::string>& fields) {
  if (first.status == FieldReader::Status::EndOfFile) return LineRead::EndOfFile;
  if (first.status != FieldReader::Status::Ok) return Broken(first);
  std::size_t used = 0;
  Store(fields, used, first.text);
  bool endsLine = first.EndsLine();
  while (!endsLine) {
    const FieldReader::Field field = reader.Next();
    if (field.status != FieldReader::Status::Ok) return Broken(field);
    Store(fields, used, field.text);
    endsLine = field.EndsLine();
  }
  fields.resize(used);
  return LineRead::Fields;
}

Expected<LineRead> ReadLineFields(FieldReader& reader, std::vector<std::string>& fields) {
  return ContinueLineFields(reader, reader.Next(), fields);
}

std::string WrongFieldCount(std::size_t found, std::string_view rowKind, std::size_t expected,
                            std::string_view expectedFields) {
  return std::to_string(found) + (found == 1 ? " field" : " fields") + " where " + std::string(rowKind) + " has " +
         std::to_string(expected) + " (" + std::string(expectedFields) + ")";
}

}  // namespace sorvane

#pragma once

#include <string>

#include <nlohmann/json.hpp>

// Checks a document against a JSON Schema, for the keywords docs/scene.schema.json uses ($ref to $defs,
// type, const, enum, required, properties, additionalProperties: false, items, prefixItems, minItems,
// maxItems, minimum, maximum, pattern, anyOf, allOf, not, if/then/else). Enough to hold the schema and
// the loader to one format.
class SchemaCheck {
public:
    explicit SchemaCheck(nlohmann::json schema) : root_(std::move(schema)) {}

    // Empty when the document follows the schema; otherwise where it does not, and why.
    std::string Check(const nlohmann::json& doc) const;

private:
    bool Valid(const nlohmann::json& schema, const nlohmann::json& value, const std::string& path,
               std::string& why) const;

    nlohmann::json root_;
};

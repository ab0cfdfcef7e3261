#include "RunReport.h"

#include <cstdio>
#include <nlohmann/json.hpp>

#include "ClassIds.h"
#include "ConvertOptions.h"
#include "ZoneAccess.h"
#include "hostcore.h"
#include "shaders.h"
#include "stdmat.h"

namespace {

// Each outcome as the JSON report names it, and as the printed report says it: what happened, and what
// would happen in a dry run, where the scene is converted but not written.
const struct {
    MtlRunOutcome outcome;
    const char* name;
    const char* meaning;
    const char* conditional;
} kOutcomes[] = {
    {MtlRunOutcome::Converted, "converted", "converted", "would be converted"},
    {MtlRunOutcome::NotPlaced, "not-placed", "converted, but used nowhere: discarded",
     "would be converted, but would be used nowhere: discarded"},
    {MtlRunOutcome::NotInUse, "not-in-use",
     "skipped: not used by the scene, the material editor or a parent material",
     "would be skipped: not used by the scene, the material editor or a parent material"},
    {MtlRunOutcome::NotConverted, "not-converted", "skipped: the Tavelin 3 material could not be made",
     "would be skipped: the Tavelin 3 material could not be made"},
    {MtlRunOutcome::Cancelled, "cancelled", "not reached: the run was cancelled",
     "would not be reached: the run was cancelled"},
};

bool Loaded(SClass_ID sc, Class_ID cid) { return HostCore::Get().IsClassLoaded(sc, cid); }

const char* ClassReason(SClass_ID sc, Class_ID cid, const char* reason) {
    return Loaded(sc, cid) ? "" : reason;
}

// Why a listed material was not converted, from what the run's dispatch decides by: the classes it makes.
std::string NotConvertedReason(MtlBase* source) {
    if (!Loaded(MATERIAL_CLASS_ID, TVL3_MATERIAL_CLASS_ID))
        return "the Tavelin 3 material class is not available";
    if (source && source->ClassID() == TVL2_MATERIAL_CLASS_ID)
        return ClassReason(REF_TARGET_CLASS_ID, TVL3_ZONE_CLASS_ID,
                           "the Tavelin 3 zone class is not available");
    return "";
}

// Why a converted material has no zones: where its zones would have come from, and why none came.
std::string NoZonesReason(MtlBase* source, ConversionOptions options, Mtl* reference) {
    if (!Loaded(REF_TARGET_CLASS_ID, TVL3_ZONE_CLASS_ID)) return "the Tavelin 3 zone class is not available";
    if (!source) return "";
    const Class_ID cls = source->ClassID();
    if (cls == TVL2_MATERIAL_CLASS_ID)
        return options & CONVOPT_SKIP_AREA_OFF_ZONES ? "none of its Tavelin 2 zones has an area" : "";
    auto* standard = dynamic_cast<StdMat2*>(source);
    Shader* shader = standard ? standard->GetShader() : nullptr;
    if (!shader) return "";
    const Class_ID shaderClass = shader->ClassID();
    if (shaderClass == FINALTOON_SHADER_CLASS_ID || shaderClass == ILLUSTRATE_SHADER_CLASS_ID)
        return "no band of its toon shader makes a zone";
    if (cls == STDMAT_VARIANT_CLASS_ID) return "a Standard variant material without a toon shader gets none";
    if (reference && GetMaterialZoneCount(reference) == 0) return "the reference material has none";
    return "";
}

std::string Hex(ConversionOptions o) {
    char buf[16];
    std::snprintf(buf, sizeof(buf), "0x%08X", static_cast<unsigned>(o));
    return buf;
}

}  // namespace

std::vector<std::string> OptionNames(ConversionOptions options) {
    std::vector<std::string> names;
    for (const MtlOptionBit& o : MtlOptionBits)
        if (options & o.bit) names.push_back(o.Name());
    return names;
}

const char* OutcomeName(MtlRunOutcome o) {
    for (const auto& k : kOutcomes)
        if (k.outcome == o) return k.name;
    return "unknown";
}

int RunReport::Count(MtlRunOutcome o) const {
    int n = 0;
    for (const MaterialReport& m : materials) n += m.outcome == o ? 1 : 0;
    return n;
}

void ReportingObserver::OnEntry(const MtlConvData& entry, MtlRunOutcome outcome, Mtl* result) {
    MaterialReport r;
    r.name = entry.name.ToUTF8();
    r.className = entry.className.ToUTF8();
    r.outcome = outcome;
    if (result) {
        MSTR cls;
        result->GetClassName(cls);
        r.resultClass = cls.ToUTF8();
        r.zones = GetMaterialZoneCount(result);
        // Stroke lists keep empty slots in place; only the strokes themselves are counted.
        for (int z = 0; z < r.zones; ++z) {
            ReferenceTarget* zone = GetMaterialZone(result, z);
            for (int k = 0; k < GetZoneStrokeCount(zone); ++k) r.strokes += GetZoneStroke(zone, k) ? 1 : 0;
        }
        if (r.zones == 0 && outcome == MtlRunOutcome::Converted)
            r.reason = NoZonesReason(entry.material, report_.options, reference_);
    } else if (outcome == MtlRunOutcome::NotConverted) {
        r.reason = NotConvertedReason(entry.material);
    }
    report_.materials.push_back(r);
}

void RunReport::AddLineRun(const LineRunResult& result) {
    linesRun = true;
    for (const LineRunResult::Entry& e : result.entries) {
        LineEffectReport r;
        r.name = e.sourceName.ToUTF8();
        bool tvl2 =
            e.source->SuperClassID() == RENDER_EFFECT_CLASS_ID && e.source->ClassID() == TVL2_LINE_CLASS_ID;
        r.outcome = e.converted ? "converted" : tvl2 ? "not-converted" : "other";
        if (!tvl2)
            r.reason = "not a Tavelin 2 line effect";
        else if (!e.converted)
            r.reason = ClassReason(RENDER_EFFECT_CLASS_ID, TVL3_LINE_CLASS_ID,
                                   "the Tavelin 3 line effect class is not available");
        r.newName = e.convertedName.ToUTF8();
        r.lineSets = e.lineSets;
        r.active = e.active;
        r.sourceDeleted = e.deleted;
        lineEffects.push_back(r);
    }
}

namespace {

// " (reason)" when there is one.
std::string Because(const std::string& reason) { return reason.empty() ? "" : " (" + reason + ")"; }

}  // namespace

void RunReport::PrintText(std::ostream& out, bool quiet) const {
    if (!quiet) {
        out << "Materials of " << scene << (dryRun ? " (dry run: nothing is written)" : "") << "\n";
        out << "  options " << Hex(options) << ":";
        const std::vector<std::string> names = OptionNames(options);
        for (size_t i = 0; i < names.size(); ++i) out << (i ? ", " : " ") << names[i];
        if (names.empty()) out << " none";
        if (!reference.empty()) out << "; zones from the Tavelin 3 material \"" << reference << "\"";
        out << "\n";
        if (materials.empty()) out << "  no Standard, Standard variant or Tavelin 2 material is in use\n";
        for (const MaterialReport& m : materials) {
            out << "  " << m.name << " (" << m.className << "): ";
            for (const auto& k : kOutcomes)
                if (k.outcome == m.outcome) out << (dryRun ? k.conditional : k.meaning);
            if (m.outcome == MtlRunOutcome::Converted)
                out << " to " << m.resultClass << ", " << m.zones << (m.zones == 1 ? " zone" : " zones")
                    << Because(m.reason) << ", " << m.strokes << (m.strokes == 1 ? " stroke" : " strokes");
            else
                out << Because(m.reason);
            out << "\n";
        }
    }
    const char* would = dryRun ? " would be" : "";
    out << "Total: " << materials.size() << " listed, " << Count(MtlRunOutcome::Converted) << would
        << " converted";
    int skipped =
        Count(MtlRunOutcome::NotInUse) + Count(MtlRunOutcome::NotConverted) + Count(MtlRunOutcome::NotPlaced);
    out << ", " << skipped << would << " skipped";
    if (int cancelled = Count(MtlRunOutcome::Cancelled)) out << ", " << cancelled << " not reached";
    out << "\n";
    if (linesRun) PrintLineEffects(out, quiet);
    if (undone) out << "The run was undone: the written scene is the scene as loaded.\n";
    if (!dryRun && !output.empty()) out << "Wrote " << output << "\n";
}

void RunReport::PrintLineEffects(std::ostream& out, bool quiet) const {
    int converted = 0;
    for (const LineEffectReport& e : lineEffects) converted += e.outcome == "converted";
    const std::string would = dryRun ? "would be " : "";
    if (!quiet) {
        out << "Line effects\n";
        if (lineEffects.empty()) out << "  the render-effect list is empty\n";
        for (const LineEffectReport& e : lineEffects) {
            out << "  " << e.name << ": ";
            if (e.outcome == "converted")
                out << would << "converted to \"" << e.newName << "\", " << e.lineSets
                    << (e.lineSets == 1 ? " line set" : " line sets") << (e.active ? "" : ", inactive")
                    << "; the Tavelin 2 effect " << (dryRun ? "would be" : "was")
                    << (e.sourceDeleted ? " deleted" : " kept");
            else if (e.outcome == "not-converted")
                out << would << "skipped: the Tavelin 3 line effect could not be made" << Because(e.reason);
            else
                out << (dryRun ? "would be left" : "left") << " as it is: " << e.reason;
            out << "\n";
        }
    }
    out << "Total: " << lineEffects.size() << " effects, " << converted << (dryRun ? " would be" : "")
        << " converted\n";
}

std::string RunReport::ToJson() const {
    nlohmann::ordered_json j;
    j["scene"] = scene;
    j["output"] = output.empty() ? nlohmann::ordered_json() : nlohmann::ordered_json(output);
    j["dryRun"] = dryRun;
    j["undone"] = undone;
    j["options"] = Hex(options);
    j["optionNames"] = OptionNames(options);
    j["reference"] = reference.empty() ? nlohmann::ordered_json() : nlohmann::ordered_json(reference);
    j["warnings"] = warnings;
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const MaterialReport& m : materials) {
        nlohmann::ordered_json e;
        e["name"] = m.name;
        e["class"] = m.className;
        e["outcome"] = OutcomeName(m.outcome);
        if (m.outcome == MtlRunOutcome::Converted)
            e["result"] = {{"class", m.resultClass}, {"zones", m.zones}, {"strokes", m.strokes}};
        if (!m.reason.empty()) e["reason"] = m.reason;
        list.push_back(e);
    }
    j["materials"] = list;
    nlohmann::ordered_json totals;
    totals["listed"] = materials.size();
    for (const auto& k : kOutcomes) totals[k.name] = Count(k.outcome);
    j["totals"] = totals;
    if (linesRun) {
        nlohmann::ordered_json effects = nlohmann::ordered_json::array();
        int converted = 0;
        for (const LineEffectReport& e : lineEffects) {
            nlohmann::ordered_json x;
            x["name"] = e.name;
            x["outcome"] = e.outcome;
            if (!e.reason.empty()) x["reason"] = e.reason;
            if (e.outcome == "converted") {
                x["result"] = {{"name", e.newName}, {"lineSets", e.lineSets}, {"active", e.active}};
                x["sourceDeleted"] = e.sourceDeleted;
                ++converted;
            }
            effects.push_back(x);
        }
        j["lineEffects"] = effects;
        j["lineTotals"] = {{"effects", lineEffects.size()}, {"converted", converted}};
    }
    return j.dump(2) + "\n";
}

#include "RunReport.h"

#include <cstdio>
#include <nlohmann/json.hpp>

#include "ClassIds.h"
#include "ZoneAccess.h"

namespace {

const struct {
    MtlRunOutcome outcome;
    const char* name;     // in the JSON report
    const char* meaning;  // in the printed report
} kOutcomes[] = {
    {MtlRunOutcome::Converted, "converted", "converted"},
    {MtlRunOutcome::NotPlaced, "not-placed", "converted, but used nowhere: discarded"},
    {MtlRunOutcome::NotInUse, "not-in-use",
     "skipped: not used by the scene, the material editor or a parent material"},
    {MtlRunOutcome::NotConverted, "not-converted", "skipped: the Tavelin 3 material could not be made"},
    {MtlRunOutcome::Cancelled, "cancelled", "not reached: the run was cancelled"},
};

std::string Hex(ConversionOptions o) {
    char buf[16];
    std::snprintf(buf, sizeof(buf), "0x%08X", static_cast<unsigned>(o));
    return buf;
}

}  // namespace

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
        r.newName = e.convertedName.ToUTF8();
        r.lineSets = e.lineSets;
        r.active = e.active;
        r.sourceDeleted = e.deleted;
        lineEffects.push_back(r);
    }
}

void RunReport::PrintText(std::ostream& out, bool quiet) const {
    if (!quiet) {
        out << "Materials of " << scene << (dryRun ? " (dry run: nothing is written)" : "") << "\n";
        out << "  options " << Hex(options);
        if (!reference.empty()) out << ", zones from the Tavelin 3 material \"" << reference << "\"";
        out << "\n";
        if (materials.empty()) out << "  no Standard, Standard variant or Tavelin 2 material is in use\n";
        for (const MaterialReport& m : materials) {
            out << "  " << m.name << " (" << m.className << "): ";
            for (const auto& k : kOutcomes)
                if (k.outcome == m.outcome) out << k.meaning;
            if (m.outcome == MtlRunOutcome::Converted)
                out << " to " << m.resultClass << ", " << m.zones << (m.zones == 1 ? " zone" : " zones")
                    << ", " << m.strokes << (m.strokes == 1 ? " stroke" : " strokes");
            out << "\n";
        }
    }
    out << "Total: " << materials.size() << " listed, " << Count(MtlRunOutcome::Converted) << " converted";
    int skipped =
        Count(MtlRunOutcome::NotInUse) + Count(MtlRunOutcome::NotConverted) + Count(MtlRunOutcome::NotPlaced);
    out << ", " << skipped << " skipped";
    if (int cancelled = Count(MtlRunOutcome::Cancelled)) out << ", " << cancelled << " not reached";
    out << "\n";
    if (linesRun) PrintLineEffects(out, quiet);
    if (undone) out << "The run was undone: the written scene is the scene as loaded.\n";
    if (!dryRun && !output.empty()) out << "Wrote " << output << "\n";
}

void RunReport::PrintLineEffects(std::ostream& out, bool quiet) const {
    int converted = 0;
    for (const LineEffectReport& e : lineEffects) converted += e.outcome == "converted";
    if (!quiet) {
        out << "Line effects\n";
        if (lineEffects.empty()) out << "  the render-effect list is empty\n";
        for (const LineEffectReport& e : lineEffects) {
            out << "  " << e.name << ": ";
            if (e.outcome == "converted")
                out << "converted to \"" << e.newName << "\", " << e.lineSets
                    << (e.lineSets == 1 ? " line set" : " line sets") << (e.active ? "" : ", inactive")
                    << (e.sourceDeleted ? "; the Tavelin 2 effect was deleted"
                                        : "; the Tavelin 2 effect was kept");
            else if (e.outcome == "not-converted")
                out << "skipped: the Tavelin 3 line effect could not be made";
            else
                out << "left as it is: not a Tavelin 2 line effect";
            out << "\n";
        }
    }
    out << "Total: " << lineEffects.size() << " effects, " << converted << " converted\n";
}

std::string RunReport::ToJson() const {
    nlohmann::ordered_json j;
    j["scene"] = scene;
    j["output"] = output.empty() ? nlohmann::ordered_json() : nlohmann::ordered_json(output);
    j["dryRun"] = dryRun;
    j["undone"] = undone;
    j["options"] = Hex(options);
    j["reference"] = reference.empty() ? nlohmann::ordered_json() : nlohmann::ordered_json(reference);
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const MaterialReport& m : materials) {
        nlohmann::ordered_json e;
        e["name"] = m.name;
        e["class"] = m.className;
        e["outcome"] = OutcomeName(m.outcome);
        if (m.outcome == MtlRunOutcome::Converted)
            e["result"] = {{"class", m.resultClass}, {"zones", m.zones}, {"strokes", m.strokes}};
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

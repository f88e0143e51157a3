#include "core/definitions/DbdLayoutChoice.h"

#include <algorithm>
#include <array>
#include <functional>
#include <unordered_map>

#include "core/definitions/DbdLocales.h"
#include "core/table/FieldDef.h"

namespace kelvane {
namespace {

// A layout together with a build to expand it for: the build decides the locale count.
struct Candidate {
    const DbdDefinition* Definition = nullptr;
    DbdBuild Build;

    bool operator==(const Candidate&) const = default;
};

// The chosen build's layout and its size.
struct MeasuredCandidate {
    Candidate Layout;
    DbdLayoutSize Size;
};

bool Fits(const DbdLayoutSize& size, const DbdLayoutRequest& request) {
    return size.FieldCount == request.FieldCount && size.RecordBytes == request.RecordBytes &&
           size.FieldCount <= MaxFieldCount;
}

std::string SizeText(int64_t fieldCount, int64_t recordBytes) {
    return std::to_string(fieldCount) + " fields, " + std::to_string(recordBytes) +
           " bytes a record";
}

std::string LayoutText(const DbdFile& file, const Candidate& candidate) {
    return "the layout of build " + candidate.Build.Text() + " in \"" + file.FileName +
           "\" (line " + std::to_string(candidate.Definition->LineNumber) + ")";
}

// The chosen build's layout: the first that lists it, for that build.
std::optional<MeasuredCandidate> ForBuildOf(const DbdFile& file, const DbdLayoutRequest& request) {
    if (!request.Build) {
        return std::nullopt;
    }
    for (const DbdDefinition& definition : file.Definitions) {
        if (file.ListsBuild(definition, *request.Build)) {
            return MeasuredCandidate{{&definition, *request.Build},
                                     MeasureDbdLayout(file, definition, *request.Build)};
        }
    }
    return std::nullopt;
}

// Calls take(candidate, size) with every layout once per locale count its builds call for:
// the chosen build first when it lists it, then both ends of each range.
template <typename Take>
void ForEachCandidate(const DbdFile& file, const DbdLayoutRequest& request, Take take) {
    for (const DbdDefinition& definition : file.Definitions) {
        // The locale counts met so far: builds differ in three ways at most.
        std::array<size_t, 4> localeCounts{};
        size_t counted = 0;
        const auto consider = [&](const DbdBuild& build) {
            const size_t locales = DbdLocaleSuffixes(build).size();
            const auto end = localeCounts.begin() + static_cast<std::ptrdiff_t>(counted);
            if (std::find(localeCounts.begin(), end, locales) != end ||
                counted == localeCounts.size()) {
                return;
            }
            localeCounts[counted++] = locales;
            take(Candidate{&definition, build}, MeasureDbdLayout(file, definition, build));
        };
        if (request.Build && file.ListsBuild(definition, *request.Build)) {
            consider(*request.Build);
        }
        for (uint32_t at = definition.Builds.First; at < definition.Builds.End(); ++at) {
            consider(file.Builds[at].Last);
            consider(file.Builds[at].First);
        }
    }
}

// Empty when no build was chosen; else why its layout was not used.
std::string WhyNotForBuild(const DbdFile& file, const DbdLayoutRequest& request,
                           const MeasuredCandidate* forBuild) {
    if (forBuild) {
        return LayoutText(file, forBuild->Layout) + " has " +
               SizeText(forBuild->Size.FieldCount, forBuild->Size.RecordBytes) + ", but " +
               request.TableName + " has " + SizeText(request.FieldCount, request.RecordBytes);
    }
    return request.Build
               ? "\"" + file.FileName + "\" has no layout for build " + request.Build->Text()
               : "";
}

std::string NothingFits(const DbdFile& file, const DbdLayoutRequest& request,
                        const MeasuredCandidate* forBuild, const std::string& notForBuild) {
    std::string message = notForBuild;
    if (!forBuild) {
        message = (notForBuild.empty() ? "None of the layouts in \"" + file.FileName + "\""
                                       : notForBuild + ", and none of its layouts") +
                  " fits " + request.TableName + " (" +
                  SizeText(request.FieldCount, request.RecordBytes) + ")";
    }
    return message + "; it loads as integers.";
}

// A layout of the file's size, once for each different expansion, in the order it is tried.
struct Trial {
    Candidate Layout;
    std::vector<DbdField> Fields;
};

// 0: the chosen build's layout; 1: one of the chosen build's era; 2: any other.
int Rank(const Candidate& candidate, const DbdLayoutRequest& request,
         const MeasuredCandidate* forBuild) {
    if (forBuild && candidate == forBuild->Layout) {
        return 0;
    }
    return request.Build && candidate.Build.Era() == request.Build->Era() ? 1 : 2;
}

size_t FieldsHash(const std::vector<DbdField>& fields) {
    size_t hash = fields.size();
    const auto mix = [&hash](size_t value) {
        hash ^= value + 0x9e3779b97f4a7c15u + (hash << 6) + (hash >> 2);
    };
    for (const DbdField& field : fields) {
        mix(std::hash<std::string>{}(field.Name));
        mix(std::hash<std::string>{}(field.Comment));
        mix(static_cast<size_t>(field.Kind) * 131 + static_cast<size_t>(field.Bits) * 7 +
            (field.Signed ? 1 : 0) + (field.IsKey ? 2 : 0));
    }
    return hash;
}

// Whether a is tried before b. Within a rank, release builds go before alpha builds (0.x), the
// newest first: most tables people edit come from released clients, and a newer layout of the
// same size usually corrects an older one. Layouts alike in all that go in file order.
bool TriedBefore(const Candidate& a, const Candidate& b, const DbdLayoutRequest& request,
                 const MeasuredCandidate* forBuild) {
    const int rankA = Rank(a, request, forBuild);
    const int rankB = Rank(b, request, forBuild);
    if (rankA != rankB) {
        return rankA < rankB;
    }
    const bool releaseA = a.Build.Era() > 0;
    const bool releaseB = b.Build.Era() > 0;
    if (releaseA != releaseB) {
        return releaseA;
    }
    if (a.Build != b.Build) {
        return a.Build > b.Build;
    }
    return a.Definition->LineNumber < b.Definition->LineNumber;
}

// The layouts of the file's size that expand differently, each the one of its expansion tried
// first, in the order they are tried. Layouts are kept by a hash of their expansion, two of one
// hash expanded again and compared: a file of many layouts costs memory only for the different
// ones, without their fields.
std::vector<Candidate> DifferentTrials(const DbdFile& file, const DbdLayoutRequest& request,
                                       const MeasuredCandidate* forBuild) {
    const auto before = [&](const Candidate& a, const Candidate& b) {
        return TriedBefore(a, b, request, forBuild);
    };
    std::unordered_multimap<size_t, Candidate> firstByHash;
    ForEachCandidate(file, request, [&](const Candidate& candidate, const DbdLayoutSize& size) {
        if (!Fits(size, request)) {
            return;
        }
        const std::vector<DbdField> fields =
            ExpandDbdLayout(file, *candidate.Definition, candidate.Build);
        const size_t hash = FieldsHash(fields);
        const auto [first, last] = firstByHash.equal_range(hash);
        for (auto alike = first; alike != last; ++alike) {
            Candidate& other = alike->second;
            if (ExpandDbdLayout(file, *other.Definition, other.Build) == fields) {
                if (before(candidate, other)) {
                    other = candidate;
                }
                return;
            }
        }
        firstByHash.emplace(hash, candidate);
    });
    std::vector<Candidate> trials;
    for (const auto& [hash, candidate] : firstByHash) {
        trials.push_back(candidate);
    }
    std::sort(trials.begin(), trials.end(), before);
    return trials;
}

// How the layout used was picked, after its name.
std::string HowPicked(const DbdLayoutRequest& request, const Trial& used, size_t trials) {
    const bool sameEra = request.Build && used.Layout.Build.Era() == request.Build->Era();
    std::string how = request.Build ? "" : ", chosen without a build";
    if (trials > 1) {
        how += std::string(sameEra ? ", picked for its era" : ", the newest") + " of " +
               std::to_string(trials) + " different layouts of the file's size";
    }
    return how;
}

std::string PassedOver(const std::vector<std::string>& skipped) {
    std::string text;
    for (const std::string& why : skipped) {
        text += (text.empty() ? "" : "; ") + why;
    }
    return text;
}

DbdLayoutChoice Chosen(Trial trial, DbdChoiceOutcome outcome, std::string message) {
    DbdLayoutChoice choice;
    choice.Outcome = outcome;
    choice.Fields = std::move(trial.Fields);
    choice.Build = trial.Layout.Build;
    choice.DefinitionLine = trial.Layout.Definition->LineNumber;
    choice.Message = std::move(message);
    return choice;
}

}  // namespace

DbdLayoutChoice ChooseDbdLayout(const DbdFile& file, const DbdLayoutRequest& request) {
    const std::optional<MeasuredCandidate> chosenBuild = ForBuildOf(file, request);
    const MeasuredCandidate* forBuild = chosenBuild ? &*chosenBuild : nullptr;
    const std::vector<Candidate> trials = DifferentTrials(file, request, forBuild);

    std::vector<std::string> skipped;
    for (const Candidate& layout : trials) {
        Trial trial{layout, ExpandDbdLayout(file, *layout.Definition, layout.Build)};
        if (request.TextFit) {
            const StringBlockFit fit = request.TextFit(trial.Fields);
            if (!fit.Fits()) {
                skipped.push_back(LayoutText(file, layout) +
                                  " does not fit its texts: " + fit.Problems());
                continue;
            }
        }
        const bool asChosen = forBuild && layout == forBuild->Layout;
        std::string message = request.TableName + ": " + LayoutText(file, layout);
        if (!asChosen) {
            message += HowPicked(request, trial, trials.size());
            // A chosen build's layout of the right size was passed over for its texts, and
            // that is told below.
            const bool sizeMisfit = !forBuild || !Fits(forBuild->Size, request);
            const std::string why = sizeMisfit ? WhyNotForBuild(file, request, forBuild) : "";
            if (!why.empty()) {
                message += " (" + why + ")";
            }
        }
        if (!skipped.empty()) {
            message += "; passed over: " + PassedOver(skipped);
        }
        DbdLayoutChoice choice = Chosen(
            std::move(trial), asChosen ? DbdChoiceOutcome::ChosenBuild : DbdChoiceOutcome::Fitting,
            message + ".");
        choice.DifferentFittingLayouts = static_cast<int>(trials.size());
        choice.SkippedLayouts = static_cast<int>(skipped.size());
        return choice;
    }

    DbdLayoutChoice none;
    none.DifferentFittingLayouts = static_cast<int>(trials.size());
    none.SkippedLayouts = static_cast<int>(skipped.size());
    if (skipped.empty()) {
        // No layout has the file's size, the chosen build's included.
        none.Message =
            NothingFits(file, request, forBuild, WhyNotForBuild(file, request, forBuild));
    } else {
        none.Message = request.TableName + ": no layout in \"" + file.FileName +
                       "\" fits the file's texts (" + PassedOver(skipped) +
                       "); it loads as integers.";
    }
    return none;
}

}  // namespace kelvane

#include "core/DbdLayoutChoice.h"

#include <algorithm>

#include "core/DbdLocales.h"
#include "core/FieldDef.h"

namespace kelvane {
namespace {

// A layout together with a build to expand it for: the build decides the locale count.
struct Candidate {
    const DbdDefinition* Definition = nullptr;
    DbdBuild Build;
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

// Every layout once per locale count its builds call for; ranges are judged by both ends.
std::vector<Candidate> CandidatesOf(const DbdFile& file, const std::optional<DbdBuild>& chosen) {
    std::vector<Candidate> candidates;
    for (const DbdDefinition& definition : file.Definitions) {
        std::vector<DbdBuild> builds;
        if (chosen && definition.ListsBuild(*chosen)) {
            builds.push_back(*chosen);
        }
        for (const DbdBuildRange& range : definition.Builds) {
            builds.push_back(range.Last);
            builds.push_back(range.First);
        }
        std::vector<size_t> localeCounts;
        for (const DbdBuild& build : builds) {
            size_t locales = DbdLocaleSuffixes(build).size();
            if (std::find(localeCounts.begin(), localeCounts.end(), locales) ==
                localeCounts.end()) {
                localeCounts.push_back(locales);
                candidates.push_back(
                    {&definition, build, MeasureDbdLayout(file, definition, build)});
            }
        }
    }
    return candidates;
}

// Empty when no build was chosen; else why its layout was not used.
std::string WhyNotForBuild(const DbdFile& file, const DbdLayoutRequest& request,
                           const Candidate* forBuild) {
    if (forBuild) {
        return LayoutText(file, *forBuild) + " has " +
               SizeText(forBuild->Size.FieldCount, forBuild->Size.RecordBytes) + ", but " +
               request.TableName + " has " + SizeText(request.FieldCount, request.RecordBytes);
    }
    return request.Build
               ? "\"" + file.FileName + "\" has no layout for build " + request.Build->Text()
               : "";
}

std::string NothingFits(const DbdFile& file, const DbdLayoutRequest& request,
                        const Candidate* forBuild, const std::string& notForBuild) {
    std::string message = notForBuild;
    if (!forBuild) {
        message = (notForBuild.empty() ? "None of the layouts in \"" + file.FileName + "\""
                                       : notForBuild + ", and none of its layouts") +
                  " fits " + request.TableName + " (" +
                  SizeText(request.FieldCount, request.RecordBytes) + ")";
    }
    return message + "; it loads as integers.";
}

DbdLayoutChoice Chosen(const Candidate& candidate, std::vector<DbdField> fields,
                       DbdChoiceOutcome outcome, std::string message) {
    DbdLayoutChoice choice;
    choice.Outcome = outcome;
    choice.Fields = std::move(fields);
    choice.Build = candidate.Build;
    choice.DefinitionLine = candidate.Definition->LineNumber;
    choice.DifferentFittingLayouts = 1;
    choice.Message = std::move(message);
    return choice;
}

}  // namespace

DbdLayoutChoice ChooseDbdLayout(const DbdFile& file, const DbdLayoutRequest& request) {
    std::vector<Candidate> candidates = CandidatesOf(file, request.Build);

    const Candidate* forBuild = nullptr;
    if (request.Build) {
        auto found = std::find_if(candidates.begin(), candidates.end(),
                                  [&](const Candidate& c) { return c.Build == *request.Build; });
        forBuild = found == candidates.end() ? nullptr : &*found;
        if (forBuild && Fits(forBuild->Size, request)) {
            return Chosen(*forBuild, ExpandDbdLayout(file, *forBuild->Definition, forBuild->Build),
                          DbdChoiceOutcome::ChosenBuild,
                          request.TableName + ": " + LayoutText(file, *forBuild) + ".");
        }
    }
    const std::string notForBuild = WhyNotForBuild(file, request, forBuild);

    // Fitting layouts in file order, with how many of them truly differ.
    std::vector<const Candidate*> fitting;
    std::vector<std::vector<DbdField>> expansions;
    std::vector<size_t> expansionOf;
    for (const Candidate& candidate : candidates) {
        if (!Fits(candidate.Size, request)) {
            continue;
        }
        std::vector<DbdField> fields =
            ExpandDbdLayout(file, *candidate.Definition, candidate.Build);
        auto same = std::find(expansions.begin(), expansions.end(), fields);
        expansionOf.push_back(static_cast<size_t>(same - expansions.begin()));
        if (same == expansions.end()) {
            expansions.push_back(std::move(fields));
        }
        fitting.push_back(&candidate);
    }

    if (fitting.empty()) {
        DbdLayoutChoice none;
        none.Message = NothingFits(file, request, forBuild, notForBuild);
        return none;
    }

    auto sameEra = std::find_if(fitting.begin(), fitting.end(), [&](const Candidate* c) {
        return request.Build && c->Build.Era() == request.Build->Era();
    });
    size_t usedIndex =
        sameEra == fitting.end() ? 0 : static_cast<size_t>(sameEra - fitting.begin());
    const Candidate& used = *fitting[usedIndex];
    std::string message = request.TableName + ": " + LayoutText(file, used);
    if (expansions.size() > 1) {
        message += ", " +
                   std::string(sameEra == fitting.end() ? "the first" : "picked for its era") +
                   " of " + std::to_string(expansions.size()) + " different layouts that fit";
    }
    if (!notForBuild.empty()) {
        message += " (" + notForBuild + ")";
    }
    DbdLayoutChoice choice = Chosen(used, std::move(expansions[expansionOf[usedIndex]]),
                                    DbdChoiceOutcome::Fitting, message + ".");
    choice.DifferentFittingLayouts = static_cast<int>(expansions.size());
    return choice;
}

}  // namespace kelvane

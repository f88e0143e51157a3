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

// A layout of the file's size, once for each different expansion, in the order it is tried.
struct Trial {
    const Candidate* Layout = nullptr;
    std::vector<DbdField> Fields;
};

// 0: the chosen build's layout; 1: one of the chosen build's era; 2: any other.
int Rank(const Candidate& candidate, const DbdLayoutRequest& request, const Candidate* forBuild) {
    if (&candidate == forBuild) {
        return 0;
    }
    return request.Build && candidate.Build.Era() == request.Build->Era() ? 1 : 2;
}

std::vector<Trial> TrialsOf(const DbdFile& file, const std::vector<Candidate>& candidates,
                            const DbdLayoutRequest& request, const Candidate* forBuild) {
    std::vector<const Candidate*> order;
    for (const Candidate& candidate : candidates) {
        if (Fits(candidate.Size, request)) {
            order.push_back(&candidate);
        }
    }
    // Within a rank, release builds go before alpha builds (0.x), the newest first: most
    // tables people edit come from released clients, and a newer layout of the same size
    // usually corrects an older one.
    std::stable_sort(order.begin(), order.end(), [&](const Candidate* a, const Candidate* b) {
        const int rankA = Rank(*a, request, forBuild);
        const int rankB = Rank(*b, request, forBuild);
        if (rankA != rankB) {
            return rankA < rankB;
        }
        const bool releaseA = a->Build.Era() > 0;
        const bool releaseB = b->Build.Era() > 0;
        return releaseA != releaseB ? releaseA : a->Build > b->Build;
    });
    std::vector<Trial> trials;
    for (const Candidate* candidate : order) {
        std::vector<DbdField> fields =
            ExpandDbdLayout(file, *candidate->Definition, candidate->Build);
        const bool seen = std::any_of(trials.begin(), trials.end(),
                                      [&](const Trial& trial) { return trial.Fields == fields; });
        if (!seen) {
            trials.push_back({candidate, std::move(fields)});
        }
    }
    return trials;
}

// How the layout used was picked, after its name.
std::string HowPicked(const DbdLayoutRequest& request, const Trial& used, size_t trials) {
    const bool sameEra = request.Build && used.Layout->Build.Era() == request.Build->Era();
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

DbdLayoutChoice Chosen(const Trial& trial, DbdChoiceOutcome outcome, std::string message) {
    DbdLayoutChoice choice;
    choice.Outcome = outcome;
    choice.Fields = trial.Fields;
    choice.Build = trial.Layout->Build;
    choice.DefinitionLine = trial.Layout->Definition->LineNumber;
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
    }
    const std::vector<Trial> trials = TrialsOf(file, candidates, request, forBuild);

    std::vector<std::string> skipped;
    for (const Trial& trial : trials) {
        if (request.TextFit) {
            const StringBlockFit fit = request.TextFit(trial.Fields);
            if (!fit.Fits()) {
                skipped.push_back(LayoutText(file, *trial.Layout) +
                                  " does not fit its texts: " + fit.Problems());
                continue;
            }
        }
        const bool asChosen = trial.Layout == forBuild;
        std::string message = request.TableName + ": " + LayoutText(file, *trial.Layout);
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
        DbdLayoutChoice choice =
            Chosen(trial, asChosen ? DbdChoiceOutcome::ChosenBuild : DbdChoiceOutcome::Fitting,
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

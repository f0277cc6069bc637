// The batch mode's analysis of a long item list without keeping its results: each item's row of
// the results file and its lines of the neighbour list files are handed on, in item order, as
// soon as they are complete, so that memory does not grow with the number of items. Several
// workers may analyse items at the same time; the bytes are the same for any number of them, and
// the same as the files saved from the workspace after AnalyseAll.
#pragma once

#include <functional>
#include <string_view>

namespace zirtel {

class Workspace;
struct ResultsStyle;

// Where the bytes go (UTF-8, in order). An output left empty is not produced.
struct StreamedOutputs {
    // The results file, as StyledOutputText gives it.
    std::function<void(std::string_view)> Results;
    // The neighbour list files, as NeighbourList::SaveText gives them.
    std::function<void(std::string_view)> OrthoList;
    std::function<void(std::string_view)> PhonList;
    // The lines of the tidy neighbour table (TidyNeighbourText without its header): those of the
    // orthographic list and those of the phonological list, which the table puts after all of
    // the orthographic ones.
    std::function<void(std::string_view)> TidyOrtho;
    std::function<void(std::string_view)> TidyPhon;
    // The caller has told the user once of the items too long to measure: no length message
    // for each of them.
    bool LongItemsReported = false;
};

// Analyses the items of ws.Stimuli (read by ReadInputFile(path, false)) as AnalyseAll analyses
// the rows of the results grid, with `jobs` workers (this thread among them). The messages of
// the analysis reach ws.Setup.UI in item order, as AnalyseAll gives them. The tables the requested
// fields read are loaded by the first item measured, before any other worker starts. Asks
// ws.Setup.UI.Cancelled() between items (at most a few hundred items apart) and returns false when
// the run was cancelled.
bool AnalyseStreamed(Workspace& ws, const ResultsStyle& style, int jobs,
                     const StreamedOutputs& outputs);

// One worker per core (at least one): the number of workers of the batch analysis, the
// selector's pool and the bindings' measures unless told otherwise.
int DefaultJobs();

} // namespace zirtel

# The R front end of Zirtel's engine: each function returns a data.frame whose columns are the
# engine's values (numbers as numbers, NA where a value is missing), named as the batch mode
# names them.

frame <- function(columns) {
  as.data.frame(columns, check.names = FALSE, stringsAsFactors = FALSE)
}

# A table of the batch mode (tab-separated text with a header row) as a data.frame.
batch_table <- function(text) {
  if (!nzchar(text)) return(data.frame())
  read.delim(text = text, check.names = FALSE, stringsAsFactors = FALSE,
             na.strings = "NA", quote = "", comment.char = "", encoding = "UTF-8")
}

data_dir_arg <- function(data_dir) {
  if (is.null(data_dir)) NULL else normalizePath(data_dir, mustWork = FALSE)
}

zirtel_measure <- function(items, fields = c("H_MAIZT", "N", "OLD20"),
                           rule_pronunciations = FALSE, include_deletions = FALSE,
                           include_additions = FALSE, user_fields = NULL, data_dir = NULL,
                           lemmas = FALSE, jobs = NULL) {
  items <- enc2utf8(as.character(items))
  frame(.Call(zirtel_measure_c, items, as.character(fields), isTRUE(rule_pronunciations),
              isTRUE(include_deletions), isTRUE(include_additions),
              if (is.null(user_fields)) NULL else as.character(user_fields),
              data_dir_arg(data_dir), isTRUE(lemmas),
              if (is.null(jobs)) NULL else as.integer(jobs)))
}

zirtel_neighbours <- function(items, rule_pronunciations = FALSE, include_deletions = FALSE,
                              include_additions = FALSE, data_dir = NULL, lemmas = FALSE,
                              jobs = NULL) {
  items <- enc2utf8(as.character(items))
  frame(.Call(zirtel_neighbours_c, items, isTRUE(rule_pronunciations),
              isTRUE(include_deletions), isTRUE(include_additions), data_dir_arg(data_dir),
              isTRUE(lemmas), if (is.null(jobs)) NULL else as.integer(jobs)))
}

zirtel_select <- function(design, seed = NULL, long = FALSE, data_dir = NULL) {
  batch_table(.Call(zirtel_select_c, enc2utf8(paste(design, collapse = "\n")),
                    if (is.null(seed)) NULL else as.numeric(seed), isTRUE(long),
                    data_dir_arg(data_dir)))
}

zirtel_match <- function(items, design, n = 10, data_dir = NULL) {
  batch_table(.Call(zirtel_match_c, enc2utf8(as.character(items)),
                    enc2utf8(paste(design, collapse = "\n")), as.integer(n),
                    data_dir_arg(data_dir)))
}

zirtel_generate <- function(templates, n = 10, seed = 1, foreign_words = FALSE,
                            data_dir = NULL) {
  batch_table(.Call(zirtel_generate_c, enc2utf8(as.character(templates)), as.integer(n),
                    as.numeric(seed), isTRUE(foreign_words), data_dir_arg(data_dir)))
}

zirtel_fields <- function() {
  frame(.Call(zirtel_fields_c))
}

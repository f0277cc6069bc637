# The R package against the batch mode on the small hand-made data of tests/data (its folder in
# ZIRTEL_TEST_DATA, the batch program in ZIRTEL_BATCH).
data <- Sys.getenv("ZIRTEL_TEST_DATA")
batch <- Sys.getenv("ZIRTEL_BATCH")
selection <- file.path(data, "selection", "engine")

run_batch <- function(...) {
  out <- system2(batch, c(...), stdout = TRUE, stderr = FALSE)
  stopifnot(is.null(attr(out, "status")))
  out
}

read_tsv <- function(path) {
  read.delim(path, check.names = FALSE, stringsAsFactors = FALSE, na.strings = "NA",
             quote = "", comment.char = "")
}

test_that("measure gives numeric columns with NA for missing values", {
  small <- file.path(data, "batch_results")
  x <- zirtel_measure(c("mesa", "zzzz", "Mes"), c("OLD20", "h_maizt", "N", "AHOSKERA"),
                      data_dir = small, jobs = 1)
  expect_equal(names(x), c("item", "H_MAIZT", "AHOSKERA", "N", "OLD20"))
  expect_equal(x$H_MAIZT, c(10, 0, 5))
  # mesa: lesa and masa differ in one letter; five words are fewer than OLD20's twenty.
  expect_identical(x$N, c(2L, 0L, 0L))
  expect_true(all(is.na(x$OLD20)) && is.double(x$OLD20))
  expect_identical(x$AHOSKERA, c("mE-sA", NA, "mEs"))
})

test_that("measure equals the batch mode for every field", {
  items <- sub("\t.*", "", readLines(file.path(selection, "nwfreq_EUS.txt")))
  items <- c(items, "qatu", "hetxea", "krt", "x")
  file <- tempfile(fileext = ".txt")
  writeLines(items, file)
  lines <- run_batch("--batch", file, "--fields", "all", "--missing", "NA", "--plain",
                     "--decimals", "4", "--data-dir", selection)
  cells <- strsplit(lines, "\t", fixed = TRUE)
  x <- zirtel_measure(items, "all", data_dir = selection)
  expect_equal(nrow(x), length(items))
  expect_equal(length(cells[[1]]), ncol(x))
  compared <- 0
  for (column in 2:ncol(x)) {
    for (r in seq_along(items)) {
      text <- if (length(cells[[r + 1]]) >= column) cells[[r + 1]][column] else ""
      value <- x[[column]][r]
      if (text == "NA" || (text == "" && nchar(items[r]) < 2)) {
        expect_true(is.na(value), info = paste(names(x)[column], items[r]))
      } else if (is.double(value)) {
        expect_equal(sprintf("%.4f", value), text, info = paste(names(x)[column], items[r]))
      } else {
        expect_equal(as.character(value), trimws(text), info = paste(names(x)[column], items[r]))
      }
      compared <- compared + 1
    }
  }
  expect_gt(compared, 1000)
})

test_that("errors carry the engine's message", {
  expect_error(zirtel_measure("etxe", "NN", data_dir = selection),
               "unknown field \"NN\"; valid names: .*H_MAIZT")
  expect_error(zirtel_measure(character(), "N", data_dir = selection), "holds no item")
  expect_error(zirtel_measure(c("etxe", strrep("a", 40)), "N", data_dir = selection),
               "must not exceed 18 letters")
  expect_error(zirtel_measure("etxe", "N", data_dir = file.path(tempdir(), "nowhere")),
               "nowhere\" does not exist")
})

test_that("neighbours, selection, matching and generation equal the batch mode", {
  small <- file.path(data, "batch_results")
  items <- tempfile(fileext = ".txt")
  writeLines(c("mesa", "lesa"), items)
  tidy <- tempfile(fileext = ".tsv")
  run_batch("--batch", items, "--fields", "N,PN", "--include-deletions", "--neighbours-tidy",
            tidy, "--data-dir", small, "-o", tempfile())
  expected <- read_tsv(tidy)
  got <- zirtel_neighbours(c("mesa", "lesa"), include_deletions = TRUE, data_dir = small)
  expect_equal(names(got), names(expected))
  expect_equal(got[, 1:5], expected[, 1:5])
  expect_equal(round(got$frequency, 2), expected$frequency)

  design <- file.path(selection, "select.design")
  rows <- tempfile(fileext = ".tsv")
  run_batch("--select", design, "--data-dir", selection, "-o", rows)
  expect_equal(zirtel_select(design, data_dir = selection), read_tsv(rows))
  # The seed is an argument: the same rows whatever set.seed says.
  set.seed(99)
  seeded <- tempfile()
  writeLines(sub("seed 7", "seed 8", readLines(design)), seeded)
  run_batch("--select", seeded, "--data-dir", selection, "-o", rows)
  expect_equal(zirtel_select(design, seed = 8, data_dir = selection), read_tsv(rows))

  matched <- tempfile(fileext = ".tsv")
  run_batch("--match", file.path(selection, "match_items.txt"), "--design",
            file.path(selection, "match.design"), "-n", "3", "--data-dir", selection,
            "-o", matched)
  expect_equal(zirtel_match(c("gose", "etxe"), file.path(selection, "match.design"), n = 3,
                            data_dir = selection), read_tsv(matched))

  generator <- file.path(data, "generator")
  made <- tempfile(fileext = ".tsv")
  run_batch("--generate", file.path(generator, "templates.txt"), "-n", "3", "--seed", "5",
            "--data-dir", generator, "-o", made)
  got <- zirtel_generate(c("Gela", "e"), n = 3, seed = 5, data_dir = generator)
  expect_gt(nrow(got), 0)
  expect_equal(got, read_tsv(made))
})

test_that("fields lists the field table", {
  f <- zirtel_fields()
  row <- f[f$mnemonic == "H_MAIZT", ]
  expect_equal(row$header, "H_MAIZT")
  expect_equal(row$description, "Hitzaren maiztasuna")
})

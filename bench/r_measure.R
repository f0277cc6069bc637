#!/usr/bin/env Rscript
# Speed of the R package's zirtel_measure() against the batch mode for the same work: ITEMS
# items (the shipped lexicon's words drawn with a fixed seed, every tenth reversed to make a
# nonword) with every field, the same number of workers for both. Prints the seconds of each and
# their ratio; the package's run includes opening the lexicon and building its data.frame.
#
#   Rscript bench/r_measure.R [BUILD_DIR] [ITEMS] [JOBS]   (the package installed, R CMD INSTALL)
library(zirtel)
args <- commandArgs(trailingOnly = TRUE)
build <- if (length(args) >= 1) args[1] else "build"
count <- if (length(args) >= 2) as.integer(args[2]) else 10000L
jobs <- if (length(args) >= 3) as.integer(args[3]) else parallel::detectCores()
data <- file.path(build, "bin")

words <- sub("\t.*", "", readLines(file.path(data, "nwfreq_EUS.txt"), encoding = "UTF-8"))
words <- words[nchar(words) >= 2 & nchar(words) <= 18]
set.seed(20)
items <- sample(words, count, replace = TRUE)
tenth <- seq(10, count, by = 10)
items[tenth] <- vapply(strsplit(items[tenth], ""), function(x) paste(rev(x), collapse = ""), "")

file <- tempfile(fileext = ".txt")
writeLines(items, file, useBytes = TRUE)
batch <- system.time(system2(file.path(data, "zirtel-batch"),
                             c("--batch", file, "--fields", "all", "--jobs", jobs,
                               "-o", tempfile()), stdout = FALSE, stderr = FALSE))[["elapsed"]]
package <- system.time(x <- zirtel_measure(items, "all", data_dir = data,
                                           jobs = jobs))[["elapsed"]]
stopifnot(nrow(x) == count)
cat(sprintf("%d items, every field, %d workers: batch %.2f s, R %.2f s, ratio %.2f\n",
            count, jobs, batch, package, package / batch))

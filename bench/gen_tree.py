# Seeded synthetic files: application, document and source names in 1,000 folders. Usage: gen_tree.py ROOT COUNT
import os, sys, random
root = sys.argv[1]; count = int(sys.argv[2])
rng = random.Random(20240611)
appA = ["Visual","Video","Virtual","Libre","Open","Text","Sound","Image","Photo","Music","Web","Mail","Disk","System","Network","Terminal","Code","Game","Office","Media"]
appB = ["Studio","Editor","Viewer","Player","Manager","Monitor","Browser","Recorder","Converter","Settings","Center","Tools","Help","Setup","Writer","Calc","Draw"]
docs = ["Quarterly report","Invoice","Meeting notes","Budget","Thesis draft","Contract","Travel plan","Recipe","Resume","Tax return","Letter","Presentation","Minutes","Proposal","Shopping list"]
ext = [".odt",".pdf",".docx",".ods",".txt",".md",".xlsx",".pptx"]
src = ["parser","widget","model","render","network","buffer","config","window","layout","stream","cache","index","visitor","vector","matrix","shader","socket","thread","timer","logger"]
srcExt = [".cpp",".h",".py",".rs",".go",".js",".ts",".java"]
names = set()
i = 0
while len(names) < count:
    k = rng.randrange(3)
    d = "d%03d" % rng.randrange(1000)
    if k == 0: n = "%s %s %d.desktop" % (rng.choice(appA), rng.choice(appB), rng.randrange(100000))
    elif k == 1: n = "%s %d-%d%s" % (rng.choice(docs), 2000 + rng.randrange(25), rng.randrange(100000), rng.choice(ext))
    else: n = "%s_%s%d%s" % (rng.choice(src), rng.choice(src), rng.randrange(100000), rng.choice(srcExt))
    p = os.path.join(d, n)
    if p in names: continue
    names.add(p)
for p in sorted(names):
    full = os.path.join(root, p)
    os.makedirs(os.path.dirname(full), exist_ok=True)
    open(full, "w").close()
